// SPDX-License-Identifier: GPL-3.0-or-later
// The literal cofactor expansion against the determinant by distinct minors,
// with the peak heap memory each takes (counter peak_heap, in bytes).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "matrix/determinant.h"

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* track(void* p) {
    if (p == nullptr) return nullptr;
    const std::size_t now = liveBytes += malloc_usable_size(p);
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void release(void* p) noexcept {
    if (p == nullptr) return;
    liveBytes -= malloc_usable_size(p);
    std::free(p);
}

void* allocate(std::size_t size) {
    if (void* p = track(std::malloc(size == 0 ? 1 : size))) return p;
    throw std::bad_alloc();
}

std::vector<float> randomMatrix(int n) {
    std::mt19937 random(static_cast<std::uint32_t>(n));
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<float> m(static_cast<std::size_t>(n) * n);
    for (float& x : m) x = value(random);
    return m;
}

// Peak heap in use during the timed loop, above what was in use before it.
class PeakMemory {
  public:
    PeakMemory() : base_(liveBytes.load()) { peakBytes = base_; }
    benchmark::Counter counter() const {
        return benchmark::Counter(static_cast<double>(peakBytes.load() - base_),
                                  benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    }

  private:
    std::size_t base_;
};

void BM_LiteralExpansion(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<float> m = randomMatrix(n);
    const PeakMemory memory;
    for (auto _ : state) benchmark::DoNotOptimize(ExpandDeterminant(n, m));
    state.counters["peak_heap"] = memory.counter();
}

void BM_DistinctMinors(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::vector<float> m = randomMatrix(n);
    const PeakMemory memory;
    for (auto _ : state) {
        const DeterminantResult result = Determinant(n, m);
        if (result.status != ComputeStatus::Done) state.SkipWithError("no result");
        benchmark::DoNotOptimize(result.value);
    }
    state.counters["peak_heap"] = memory.counter();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return track(std::malloc(size == 0 ? 1 : size));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return track(std::malloc(size == 0 ? 1 : size));
}
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

BENCHMARK(BM_LiteralExpansion)->DenseRange(8, 11)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistinctMinors)
    ->DenseRange(8, 11)
    ->Arg(16)
    ->Arg(20)
    ->Arg(24)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

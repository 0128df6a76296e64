// SPDX-License-Identifier: GPL-3.0-or-later
// The long requests on one thread (the serial path) and on pools of 2, 4 and 8
// threads, side by side, in wall-clock time; and requests of well under a
// millisecond, which must not get slower on a pool. The counter all_cpu is the
// CPU time of every thread of the process per request: against the one-thread
// figure it shows what spreading costs in extra work, whatever else the
// machine runs.
// Run: build/bin/bench_parallel   (--benchmark_filter=Short for the short ones)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "calculus/requests.h"
#include "core/number_text.h"
#include "core/thread_pool.h"
#include "matrix/determinant.h"
#include "matrix/matrix_arithmetic.h"

namespace {

constexpr const char* kFormula = "sin(2*(x+1))*cos(x)";

// One pool per thread count, kept for the whole run so that no timing
// includes starting threads.
ThreadPool& poolOf(const benchmark::State& state) {
    static std::map<int, std::unique_ptr<ThreadPool>> pools;
    const int threads = static_cast<int>(state.range(0));
    auto& pool = pools[threads];
    if (!pool) pool = std::make_unique<ThreadPool>(threads);
    return *pool;
}

std::vector<float> randomValues(std::size_t count, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<float> values(count);
    for (float& v : values) v = value(random);
    return values;
}

std::string matrixText(std::size_t count, std::uint32_t seed) {
    std::string text;
    for (float v : randomValues(count, seed)) {
        text += formatFloat(v);
        text += ' ';
    }
    return text;
}

// CPU time of all threads of the process, from construction to report.
class ProcessCpu {
  public:
    ProcessCpu() : start_(now()) {}
    void report(benchmark::State& state) const {
        state.counters["all_cpu"] =
            benchmark::Counter((now() - start_) / static_cast<double>(state.iterations()));
    }

  private:
    static double now() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto seconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
        };
        return seconds(usage.ru_utime) + seconds(usage.ru_stime);
    }
    double start_;
};

void expectValue(benchmark::State& state, const RequestOutcome& outcome) {
    if (outcome.kind != RequestOutcome::Kind::Value) state.SkipWithError("no value");
    benchmark::DoNotOptimize(outcome.value);
}

void expectMessage(benchmark::State& state, const RequestOutcome& outcome) {
    if (outcome.kind != RequestOutcome::Kind::Message) state.SkipWithError("no message");
}

void SumRequest(benchmark::State& state) {
    const UsingThreadPool use(poolOf(state));
    const double to = static_cast<double>(state.range(1));
    const ProcessCpu cpu;
    for (auto _ : state) expectValue(state, RunSumRequest(kFormula, 1, to, false, 0));
    cpu.report(state);
}

// A precision no level can meet: every level up to the depth is computed.
void IntegralRequest(benchmark::State& state) {
    const UsingThreadPool use(poolOf(state));
    const int depth = static_cast<int>(state.range(1));
    const ProcessCpu cpu;
    for (auto _ : state) {
        int failed = 0;
        expectMessage(state, RunIntegralRequest(kFormula, 0, 2, 1e-300, depth, failed));
    }
    cpu.report(state);
}

// The determinant and the product take tens of megabytes. One run before the
// timed one lets the allocator and the system settle, so that neither side of
// a comparison pays for first touching fresh memory (very costly in a virtual
// machine).
void DeterminantRequest(benchmark::State& state) {
    const UsingThreadPool use(poolOf(state));
    const int n = static_cast<int>(state.range(1));
    const std::vector<float> m = randomValues(static_cast<std::size_t>(n) * n, 26);
    Determinant(n, m);  // untimed, see above
    const ProcessCpu cpu;
    for (auto _ : state) {
        const DeterminantResult result = Determinant(n, m);
        if (result.status != ComputeStatus::Done) state.SkipWithError("no result");
        benchmark::DoNotOptimize(result.value);
    }
    cpu.report(state);
}

// Both operands square, parsed from their texts as the page does.
void ProductRequest(benchmark::State& state) {
    const UsingThreadPool use(poolOf(state));
    const int n = static_cast<int>(state.range(1));
    const std::size_t count = static_cast<std::size_t>(n) * n;
    const auto store = std::make_unique<MatrixStore>();
    store->write(0, {n, n, matrixText(count, 1)});
    store->write(1, {n, n, matrixText(count, 2)});
    Calculate(*store, 0, 1, MatrixOperation::Product);  // untimed, see above
    const ProcessCpu cpu;
    for (auto _ : state) {
        const MatrixResult result = Calculate(*store, 0, 1, MatrixOperation::Product);
        if (result.status != ComputeStatus::Done) state.SkipWithError("no result");
        benchmark::DoNotOptimize(result.text.data());
    }
    cpu.report(state);
}

// threads, then the size of the request.
void longRequest(benchmark::internal::Benchmark* b, long size) {
    b->ArgNames({"threads", "size"})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
    for (long threads : {1, 2, 4, 8}) b->Args({threads, size});
}

void shortRequest(benchmark::internal::Benchmark* b, long size) {
    b->ArgNames({"threads", "size"})->UseRealTime()->Unit(benchmark::kMicrosecond);
    for (long threads : {1, 2, 4}) b->Args({threads, size});
}

}  // namespace

BENCHMARK(SumRequest)->Apply([](auto* b) { longRequest(b, 100000000); });
BENCHMARK(IntegralRequest)->Apply([](auto* b) { longRequest(b, 26); });
BENCHMARK(DeterminantRequest)->Apply([](auto* b) { longRequest(b, 26); });
BENCHMARK(ProductRequest)->Apply([](auto* b) { longRequest(b, 1000); });

BENCHMARK(SumRequest)->Name("ShortSum")->Apply([](auto* b) { shortRequest(b, 10000); });
BENCHMARK(IntegralRequest)->Name("ShortIntegral")->Apply([](auto* b) { shortRequest(b, 13); });
BENCHMARK(DeterminantRequest)->Name("ShortDeterminant")->Apply([](auto* b) {
    shortRequest(b, 14);
});
BENCHMARK(ProductRequest)->Name("ShortMatrixProduct")->Apply([](auto* b) { shortRequest(b, 20); });

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// The determinant by distinct minors. Expanding along the first column always
// removes the leftmost column, so the minor reached after removing a set of
// rows is fixed by the rows that remain, and its value is produced by the same
// operations whichever path reaches it. Computing every minor once, by size,
// from 2 x 2 upwards, gives the bits of the literal recursion.
//
// The minors of one size are indexed by the colex rank of their row set, which
// is the order of the set's bit mask; only two sizes are held at a time.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <memory>
#include <new>

#include "core/parallel_run.h"
#include "matrix/determinant.h"
#include "matrix/memory_reach.h"
#include "matrix/work_pacer.h"

namespace {

using RowMask = std::uint64_t;

struct Binomials {
    std::array<std::array<std::uint64_t, kMaxDeterminantOrder + 1>, kMaxDeterminantOrder + 1>
        c{};  // c[i][j] = C(i, j), 0 when j > i
    constexpr Binomials() {
        for (int i = 0; i <= kMaxDeterminantOrder; ++i) {
            c[i][0] = 1;
            for (int j = 1; j <= i; ++j) c[i][j] = c[i - 1][j - 1] + (j < i ? c[i - 1][j] : 0);
        }
    }
};

constexpr Binomials kBinomials;

std::uint64_t binomial(int n, int k) { return kBinomials.c[n][k]; }

// The next larger mask with as many bits set.
RowMask nextMask(RowMask mask) {
    const RowMask low = mask & (~mask + 1);
    const RowMask ripple = mask + low;
    return ripple | (((mask ^ ripple) >> 2) >> std::countr_zero(low));
}

// Sizes of the two alternating buffers for the minors of order 3 to n.
struct LayerSizes {
    std::uint64_t odd = 0;
    std::uint64_t even = 0;
};

LayerSizes layerSizes(int n) {
    LayerSizes sizes;
    for (int m = 3; m <= n; ++m) {
        std::uint64_t& size = m % 2 == 1 ? sizes.odd : sizes.even;
        if (binomial(n, m) > size) size = binomial(n, m);
    }
    return sizes;
}

// The 2 x 2 minors of the last two columns, unrounded doubles as the literal
// base case returns them; rank of rows {r1 < r2} is r1 + C(r2, 2).
void pairMinors(int n, const float* m, double* out) {
    std::size_t rank = 0;
    for (int r2 = 1; r2 < n; ++r2) {
        for (int r1 = 0; r1 < r2; ++r1) {
            out[rank++] =
                static_cast<double>(m[r1 * n + n - 2]) * static_cast<double>(m[r2 * n + n - 1]) -
                static_cast<double>(m[r1 * n + n - 1]) * static_cast<double>(m[r2 * n + n - 2]);
        }
    }
}

// The row set of the given colex rank among the sets of size rows.
RowMask maskOfRank(std::uint64_t rank, int size) {
    RowMask mask = 0;
    int row = kMaxDeterminantOrder;
    for (int j = size; j >= 1; --j) {
        do --row;
        while (binomial(row, j) > rank);
        mask |= RowMask{1} << row;
        rank -= binomial(row, j);
    }
    return mask;
}

// The minors of order size from those of order size - 1, ranks first to end:
// rows in increasing order, signs + - + by position within the minor, first
// column n - size.
template <typename Smaller>
bool minorsOfSize(int n, int size, const float* m, const Smaller* smaller, float* out,
                  std::uint64_t first, std::uint64_t end, WorkPacer& pacer) {
    const int column = n - size;
    std::array<double, kMaxDeterminantOrder> columnValues{};
    for (int r = 0; r < n; ++r) columnValues[r] = static_cast<double>(m[r * n + column]);

    RowMask mask = maskOfRank(first, size);
    std::array<int, kMaxDeterminantOrder> rows{};
    for (std::uint64_t rank = first; rank < end; ++rank, mask = nextMask(mask)) {
        // The colex rank of the rows without rows[i]: the rows before it keep
        // their places and add C(rows[j], j + 1) each, the rows after it move
        // down one place and add C(rows[j], j).
        std::uint64_t after = 0;
        int j = 0;
        for (RowMask bits = mask; bits != 0; bits &= bits - 1, ++j) {
            rows[j] = std::countr_zero(bits);
            after += binomial(rows[j], j);
        }
        std::uint64_t before = 0;
        float accumulator = 0.0f;
        for (int i = 0; i < size; ++i) {
            after -= binomial(rows[i], i);
            const double term =
                static_cast<double>(smaller[before + after]) * columnValues[rows[i]];
            accumulator = static_cast<float>(i % 2 == 0 ? static_cast<double>(accumulator) + term
                                                        : static_cast<double>(accumulator) - term);
            before += binomial(rows[i], i + 1);
        }
        out[rank] = accumulator;
        if (!pacer.advance(static_cast<std::uint64_t>(size))) return false;
    }
    return true;
}

// Terms per task (a minor of order s has s) when a size is spread over the
// pool: a few hundred microseconds of work, so every thread sees a cancel soon.
constexpr std::uint64_t kTermsPerTask = 1u << 16;

// All minors of one size, spread over the pool once its serial head has passed.
template <typename Smaller>
bool minorsOfSize(int n, int size, const float* m, const Smaller* smaller, float* out,
                  ParallelRun& run, WorkPacer& pacer) {
    const std::uint64_t count = binomial(n, size);
    if (run.pool().threads() < 2) return minorsOfSize(n, size, m, smaller, out, 0, count, pacer);
    const std::uint64_t perTask =
        std::max<std::uint64_t>(1, run.pool().taskSize(kTermsPerTask) / size);
    SpreadPacer spread(pacer);
    run.forEach((count + perTask - 1) / perTask, [&](std::size_t task) {
        if (!spread.going()) return;
        const std::uint64_t first = task * perTask;
        const std::uint64_t end = std::min(count, first + perTask);
        WorkPacer quiet(nullptr, 0);
        minorsOfSize(n, size, m, smaller, out, first, end, quiet);
        spread.add((end - first) * static_cast<std::uint64_t>(size));
    });
    return spread.finish();
}

template <typename T>
std::unique_ptr<T[]> allocate(std::uint64_t count) {
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) return nullptr;
    return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<std::size_t>(count)]);
}

}  // namespace

std::uint64_t DeterminantWorkingBytes(int n) {
    if (n < kMinDeterminantOrder || n > kMaxDeterminantOrder) return 0;
    const LayerSizes sizes = layerSizes(n);
    return binomial(n, 2) * sizeof(double) + (sizes.odd + sizes.even) * sizeof(float);
}

DeterminantResult Determinant(int n, std::span<const float> matrix, WorkControl* control) {
    DeterminantResult result;
    if (n < kMinDeterminantOrder || n > kMaxDeterminantOrder ||
        matrix.size() < static_cast<std::size_t>(n) * n) {
        result.value = std::numeric_limits<double>::quiet_NaN();
        return result;
    }
    if (!FitsInAvailableMemory(DeterminantWorkingBytes(n))) {
        result.status = ComputeStatus::NoMemory;
        return result;
    }
    const float* m = matrix.data();
    std::unique_ptr<double[]> pairs = allocate<double>(binomial(n, 2));
    const LayerSizes sizes = layerSizes(n);
    std::unique_ptr<float[]> odd = allocate<float>(sizes.odd);
    std::unique_ptr<float[]> even = allocate<float>(sizes.even);
    if (!pairs || (sizes.odd > 0 && !odd) || (sizes.even > 0 && !even)) {
        result.status = ComputeStatus::NoMemory;
        return result;
    }

    double total = 0;
    for (int size = 3; size <= n; ++size) total += static_cast<double>(binomial(n, size)) * size;
    WorkPacer pacer(control, total);
    ParallelRun run;
    pairMinors(n, m, pairs.get());
    bool going = true;
    for (int size = 3; size <= n && going; ++size) {
        float* out = size % 2 == 1 ? odd.get() : even.get();
        going = size == 3 ? minorsOfSize(n, size, m, pairs.get(), out, run, pacer)
                          : minorsOfSize(n, size, m, size % 2 == 1 ? even.get() : odd.get(), out,
                                         run, pacer);
    }
    if (!going || !pacer.checkpoint()) {
        result.status = ComputeStatus::Cancelled;
        return result;
    }
    result.status = ComputeStatus::Done;
    result.value =
        CanonicalNan(n == 2 ? pairs[0] : static_cast<double>((n % 2 == 1 ? odd : even)[0]));
    return result;
}

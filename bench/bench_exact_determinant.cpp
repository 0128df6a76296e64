// SPDX-License-Identifier: GPL-3.0-or-later
// Exact determinants (Bareiss' elimination on GMP integers) beside LU with
// partial pivoting in double on the same matrices: random integers from -99 to
// 99 and Hilbert matrices typed as fractions.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "matrix/exact_matrix.h"

namespace {

MatrixElements randomIntegers(int n) {
    std::mt19937 random(static_cast<std::uint32_t>(n));
    std::uniform_int_distribution<int> value(-99, 99);
    MatrixElements m;
    for (int i = 0; i < n * n; ++i) m.rational.emplace_back(value(random));
    return m;
}

MatrixElements hilbert(int n) {
    MatrixElements m;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) m.rational.emplace_back(1, i + j + 1);
    }
    return m;
}

// The same matrix the double way.
MatrixElements inDouble(const MatrixElements& exact) {
    MatrixElements m;
    m.exact = false;
    for (const mpq_class& x : exact.rational) m.inexact.push_back(NearestDouble(x));
    return m;
}

void run(benchmark::State& state, const MatrixElements& m) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const ExactDeterminant d = DeterminantOfElements(n, m);
        if (d.status != ComputeStatus::Done) state.SkipWithError("no result");
        benchmark::DoNotOptimize(d);
    }
}

void BM_Exact(benchmark::State& state, MatrixElements (*make)(int)) {
    run(state, make(static_cast<int>(state.range(0))));
}

void BM_DoubleLU(benchmark::State& state, MatrixElements (*make)(int)) {
    run(state, inDouble(make(static_cast<int>(state.range(0)))));
}

// The whole request from the text the page holds, reading included.
void BM_ExactFromText(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::string text;
    for (const mpq_class& x : randomIntegers(n).rational) text += x.get_str() + ' ';
    for (auto _ : state) benchmark::DoNotOptimize(DeterminantOfText(n, text));
}

}  // namespace

BENCHMARK_CAPTURE(BM_Exact, integers, randomIntegers)->Arg(10)->Arg(20)->Arg(50);
BENCHMARK_CAPTURE(BM_DoubleLU, integers, randomIntegers)->Arg(10)->Arg(20)->Arg(50);
BENCHMARK_CAPTURE(BM_Exact, hilbert, hilbert)->Arg(8)->Arg(12);
BENCHMARK_CAPTURE(BM_DoubleLU, hilbert, hilbert)->Arg(8)->Arg(12);
BENCHMARK(BM_ExactFromText)->Arg(50);

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// The double-precision sum (compensated) against the single-precision one on
// the same formula over 10^8 points: with plain functions standing in for the
// evaluators, so that only what each method adds per term differs, and with
// the compiled formulas of both precisions, on one thread and on the shared
// pool.
// Run: build/bin/bench_double_sum
#include <benchmark/benchmark.h>

#include <cmath>

#include "calculus/double_progression.h"
#include "calculus/progression.h"
#include "core/thread_pool.h"
#include "expr/compiler.h"

namespace {

constexpr double kLast = 1e8 - 1;  // 10^8 points: x = 0, 1, ..., 10^8 - 1

// range(0) picks the formula: 0 a cheap polynomial, where any cost of a
// method shows most; 1 a formula of a library call.
double formula(int which, double x) {
    const double t = x * 1e-8;
    return which == 0 ? (1.25 * t - 2) * t + 0.5 : std::sin(t * 3) - 0.1;
}
const char* const kFormulaTexts[] = {"(1.25*x*1e-8-2)*x*1e-8+0.5", "sin(x*1e-8*3)-0.1"};

// As the single-precision evaluator computes: in double, stored as single.
struct SingleFormula {
    int which;
    float operator()(float x) const { return static_cast<float>(formula(which, x)); }
    void operator()(const float* xs, float* values, int count) const {
        for (int i = 0; i < count; ++i) values[i] = (*this)(xs[i]);
    }
};

void perPoint(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(kLast + 1));
}

void SingleSum(benchmark::State& state) {
    const SingleFormula f{static_cast<int>(state.range(0))};
    for (auto _ : state) {
        double sum = 0.0;
        SumProgression(f, 0.0, kLast, 1.0, sum);
        benchmark::DoNotOptimize(sum);
    }
    perPoint(state);
}

void DoubleSumBench(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const auto f = [which](double x) { return formula(which, x); };
    for (auto _ : state) benchmark::DoNotOptimize(DoubleSum(f, 0.0, kLast, 1.0));
    perPoint(state);
}

// range(1) != 0: on one thread; else on the shared pool.
ThreadPool& poolFor(const benchmark::State& state) {
    static ThreadPool one(1);
    return state.range(1) != 0 ? one : SharedThreadPool();
}

void SingleCompiled(benchmark::State& state) {
    CompiledExpression expr;
    CompileExpression(expr, kFormulaTexts[state.range(0)]);
    const UsingThreadPool use(poolFor(state));
    for (auto _ : state) {
        double sum = 0.0;
        SumProgression(CompiledFormula{expr}, 0.0, kLast, 1.0, sum);
        benchmark::DoNotOptimize(sum);
    }
    perPoint(state);
}

void DoubleCompiled(benchmark::State& state) {
    CompiledExpressionD expr;
    CompileExpression(expr, kFormulaTexts[state.range(0)]);
    const UsingThreadPool use(poolFor(state));
    for (auto _ : state)
        benchmark::DoNotOptimize(DoubleSum(CompiledFormulaD{expr}, 0.0, kLast, 1.0));
    perPoint(state);
}

BENCHMARK(SingleSum)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(DoubleSumBench)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(SingleCompiled)
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(DoubleCompiled)
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

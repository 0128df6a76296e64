// SPDX-License-Identifier: GPL-3.0-or-later
// What the numeric methods add to the evaluations they make: time per
// evaluation inside Integral, the sum loop and FindRoot, against the bare
// evaluator on the same formula and the same kind of call (batches of points
// for the integral and the sum, one point at a time for the root, where each
// point waits for the value at the one before), each
// method with and without a progress and cancellation hook.
// Run: build/bin/bench_calculus
#include <benchmark/benchmark.h>

#include <vector>

#include "calculus/integral.h"
#include "calculus/progression.h"
#include "calculus/root_solver.h"
#include "expr/compiler.h"

namespace {

// range(0) picks the formula: 0 a polynomial of cheap operations, where any
// cost of a method shows most; 1 a formula of two library calls.
const char* const kFormulas[] = {
    "1.25*x*x*x*x*x*x+2*x*x*x*x*x-3.5*x*x*x*x+x*x*x/4-6*x*x+7*x-8",
    "sin(2*(x+1))*cos(x)-0.1",
};

const CompiledExpression* current = nullptr;
const CompiledExpression& formula() { return *current; }

void select(const benchmark::State& state) {
    static CompiledExpression compiled[2];
    static bool done = false;
    if (!done) {
        for (int i = 0; i < 2; ++i) CompileExpression(compiled[i], kFormulas[i]);
        done = true;
    }
    current = &compiled[state.range(0)];
}

// range(1) != 0: the method runs with a progress and cancellation hook.
WorkControl* hook(const benchmark::State& state) {
    static WorkControl control;
    return state.range(1) != 0 ? &control : nullptr;
}

void perEvaluation(benchmark::State& state, unsigned long long evaluations) {
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(evaluations));
}

constexpr int kPoints = 32768;

// The bare evaluator on kPoints points, in batches as the methods gather them.
void BareBatch(benchmark::State& state) {
    select(state);
    std::vector<float> xs(kPoints), values(kPoints);
    for (int i = 0; i < kPoints; ++i) xs[i] = static_cast<float>(i) / kPoints * 2.0f;
    double sink = 0.0;
    for (auto _ : state) {
        for (int first = 0; first < kPoints; first += kPointsPerBatch) {
            EvaluateExpressionBatch(formula(), xs.data() + first, values.data() + first,
                                    kPointsPerBatch);
        }
        sink = foldInOrder(sink, values.data(), kPoints, addTerm);  // as the methods sum
        benchmark::DoNotOptimize(sink);
    }
    perEvaluation(state, kPoints);
}

// The bare evaluator one point at a time.
void BarePoint(benchmark::State& state) {
    select(state);
    float x = 0.0f;
    double sink = 0.0;
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) {
            sink += EvaluateExpression(formula(), x);
            x = x < 2.0f ? x + 1e-4f : 0.0f;
        }
        benchmark::DoNotOptimize(sink);
    }
    perEvaluation(state, kPoints);
}

// The bare evaluator one point at a time, each point depending on the value at
// the one before, as in the root solver: nothing overlaps the evaluations.
void BareChain(benchmark::State& state) {
    select(state);
    float x = 0.5f;
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) x = EvaluateExpression(formula(), x) * 0.0f + 0.5f;
        benchmark::DoNotOptimize(x);
    }
    perEvaluation(state, kPoints);
}

// Depth 16 with a precision no level can meet: 2^15 + 1 evaluations.
void IntegralMethod(benchmark::State& state) {
    select(state);
    for (auto _ : state) {
        int failed = 0;
        benchmark::DoNotOptimize(Integral(formula(), 0.0, 2.0, 1e-300, 16, failed, hook(state)));
    }
    perEvaluation(state, (1ULL << 15) + 1);
}

void SumLoop(benchmark::State& state) {
    select(state);
    for (auto _ : state) {
        double sum = 0.0;
        SumProgression(CompiledFormula{formula()}, 0.0, (kPoints - 1) * 0.0625, 0.0625, sum,
                       hook(state));
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state, kPoints);
}

// Tolerances no pass can meet: the solver runs to its bound.
void RootSolver(benchmark::State& state) {
    select(state);
    for (auto _ : state) {
        int noRoot = 0;
        // Both formulas change sign between 0 and the right end.
        const double right = state.range(0) == 0 ? 2.0 : 1.5;
        benchmark::DoNotOptimize(
            FindRoot(formula(), 0.0, right, 1e-300, 1e-300, noRoot, hook(state)));
    }
    perEvaluation(state, kMaxRootPasses + 2);
}

void formulas(benchmark::internal::Benchmark* b) { b->ArgNames({"formula", "hook"}); }

BENCHMARK(BareBatch)->Apply(formulas)->Args({0, 0})->Args({1, 0});
BENCHMARK(IntegralMethod)->Apply(formulas)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});
BENCHMARK(SumLoop)->Apply(formulas)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});
BENCHMARK(BarePoint)->Apply(formulas)->Args({0, 0})->Args({1, 0});
BENCHMARK(BareChain)->Apply(formulas)->Args({0, 0})->Args({1, 0});
BENCHMARK(RootSolver)->Apply(formulas)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});

}  // namespace

BENCHMARK_MAIN();

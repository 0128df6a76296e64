// SPDX-License-Identifier: GPL-3.0-or-later
// Formula evaluation, side by side on the same formulas and the same x values:
//   Literal  - the reference reduction, rescanning the elements on every call;
//   Replay   - the plan worked out at compile time (what the methods use);
//   ReplayD  - the same in double precision: every value stored as a double;
//   Hand     - straight-line C++ for the same formula with the same rounding
//              to single after every operation: the limit for any evaluator;
//   MuParser - Debian's muparser on the same text, in double: a peer figure
//              for speed, not for digits.
// ReplayBatch and ReplayBatchD put the two precisions side by side on one
// sweep of 256 points.
// Run: build/bin/bench_expr
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

#include "expr/compiler.h"
#include "expr/evaluator.h"

namespace {

float f32(double value) { return static_cast<float>(value); }
float add(float a, float b) { return f32(double(a) + double(b)); }
float sub(float a, float b) { return f32(double(a) - double(b)); }
float mul(float a, float b) { return f32(double(a) * double(b)); }
float div(float a, float b) { return f32(double(a) / double(b)); }
float sinf32(float a) { return f32(std::sin(double(a))); }
float cosf32(float a) { return f32(std::cos(double(a))); }

// (a) a short formula dominated by two library calls.
const std::string kTrig = "sin(2*(x+1))*cos(x)";
[[gnu::noinline]] float handTrig(float x) {
    return mul(sinf32(mul(2.0f, add(x, 1.0f))), cosf32(x));
}

// (b) a polynomial of 55 elements written as users type it: only cheap operations,
// so the evaluator's own overhead shows.
const std::string kPolynomial = "1.25*x*x*x*x*x*x+2*x*x*x*x*x-3.5*x*x*x*x+x*x*x/4-6*x*x+7*x-8";
[[gnu::noinline]] float handPolynomial(float x) {
    // Division first, then products left to right, then each "-" with its
    // neighbours, then the sums left to right.
    const float q = div(x, 4.0f);
    const float t1 = mul(mul(mul(mul(mul(mul(1.25f, x), x), x), x), x), x);
    const float t2 = mul(mul(mul(mul(mul(2.0f, x), x), x), x), x);
    const float t3 = mul(mul(mul(mul(3.5f, x), x), x), x);
    const float t4 = mul(mul(x, x), q);
    const float t5 = mul(mul(6.0f, x), x);
    const float t6 = mul(7.0f, x);
    const float d1 = sub(t2, t3);
    const float d2 = sub(t4, t5);
    const float d3 = sub(t6, 8.0f);
    return add(add(add(t1, d1), d2), d3);
}

// (c) a nested formula of about 200 elements: each level wraps the previous one,
// alternately "(f*0.75+sin(x-c))" and "(f/1.5-(x*c))".
constexpr int kLevels = 19;
float levelConstant(int level) { return 0.25f * static_cast<float>(level + 1); }
std::string nestedFormula() {
    std::string f = "x";
    char c[32];
    for (int level = 0; level < kLevels; ++level) {
        std::snprintf(c, sizeof c, "%g", static_cast<double>(levelConstant(level)));
        f = level % 2 == 0 ? "(" + f + "*0.75+sin(x-" + c + "))" : "(" + f + "/1.5-(x*" + c + "))";
    }
    return f;
}
const std::string kNested = nestedFormula();
[[gnu::noinline]] float handNested(float x) {
    float f = x;
    for (int level = 0; level < kLevels; ++level) {
        const float c = levelConstant(level);
        f = level % 2 == 0 ? add(mul(f, 0.75f), sinf32(sub(x, c))) : sub(div(f, 1.5f), mul(x, c));
    }
    return f;
}

std::vector<float> sweep() {
    std::vector<float> xs;
    for (int i = 0; i < 256; ++i) xs.push_back(-2.0f + 4.0f * static_cast<float>(i) / 255.0f);
    return xs;
}
const std::vector<float> kPoints = sweep();
const std::vector<double> kPointsD(kPoints.begin(), kPoints.end());

template <class Value>
const std::vector<Value>& pointsOf() {
    if constexpr (std::is_same_v<Value, float>) {
        return kPoints;
    } else {
        return kPointsD;
    }
}

// The hand-written code must be the same computation, bit for bit, or the
// comparison means nothing.
void checkHandWritten(const std::string& formula, float (*hand)(float)) {
    static CompiledExpression expr;
    CompileExpression(expr, formula);
    for (float x : kPoints) {
        const float replay = EvaluateExpression(expr, x);
        if (std::bit_cast<unsigned>(replay) != std::bit_cast<unsigned>(hand(x)) ||
            std::bit_cast<unsigned>(replay) !=
                std::bit_cast<unsigned>(EvaluateExpressionLiteral(expr, x))) {
            std::fprintf(stderr, "hand-written code differs on %s at %g\n", formula.c_str(), x);
            std::abort();
        }
    }
}

template <class Value = float, class Evaluate>
void runOver(benchmark::State& state, Evaluate evaluate) {
    Value sink = 0;
    for (auto _ : state) {
        for (Value x : pointsOf<Value>()) sink += evaluate(x);
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kPoints.size()));
}

void Literal(benchmark::State& state, const std::string* formula) {
    static CompiledExpression expr;
    CompileExpression(expr, *formula);
    state.counters["elements"] = expr.count;
    runOver(state, [](float x) { return EvaluateExpressionLiteral(expr, x); });
}

template <class Value>
void replayOver(benchmark::State& state, const std::string* formula) {
    static BasicCompiledExpression<Value> expr;
    CompileExpression(expr, *formula);
    state.counters["elements"] = expr.count;
    state.counters["steps"] = expr.plan.stepCount;
    runOver<Value>(state, [](Value x) { return EvaluateExpression(expr, x); });
}

// The points of one sweep at once, as the integral's levels and the sums use it.
template <class Value>
void replayBatchOver(benchmark::State& state, const std::string* formula) {
    static BasicCompiledExpression<Value> expr;
    CompileExpression(expr, *formula);
    const std::vector<Value>& points = pointsOf<Value>();
    std::vector<Value> results(points.size());
    Value sink = 0;
    for (auto _ : state) {
        EvaluateExpressionBatch(expr, points.data(), results.data(),
                                static_cast<int>(points.size()));
        for (Value value : results) sink += value;
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(points.size()));
}

void Replay(benchmark::State& state, const std::string* formula) {
    replayOver<float>(state, formula);
}
void ReplayD(benchmark::State& state, const std::string* formula) {
    replayOver<double>(state, formula);
}
void ReplayBatch(benchmark::State& state, const std::string* formula) {
    replayBatchOver<float>(state, formula);
}
void ReplayBatchD(benchmark::State& state, const std::string* formula) {
    replayBatchOver<double>(state, formula);
}

void Hand(benchmark::State& state, float (*hand)(float)) { runOver(state, hand); }

void MuParser(benchmark::State& state, const std::string* formula) {
    double x = 0.0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr(*formula);
    runOver(state, [&](float value) {
        x = value;
        return static_cast<float>(parser.Eval());
    });
}

#define MEXORA_FORMULA_BENCHMARKS(NAME, FORMULA, HAND) \
    BENCHMARK_CAPTURE(Literal, NAME, &FORMULA);        \
    BENCHMARK_CAPTURE(Replay, NAME, &FORMULA);         \
    BENCHMARK_CAPTURE(ReplayD, NAME, &FORMULA);        \
    BENCHMARK_CAPTURE(ReplayBatch, NAME, &FORMULA);    \
    BENCHMARK_CAPTURE(ReplayBatchD, NAME, &FORMULA);   \
    BENCHMARK_CAPTURE(Hand, NAME, HAND);               \
    BENCHMARK_CAPTURE(MuParser, NAME, &FORMULA);

MEXORA_FORMULA_BENCHMARKS(a_trig, kTrig, handTrig)
MEXORA_FORMULA_BENCHMARKS(b_polynomial, kPolynomial, handPolynomial)
MEXORA_FORMULA_BENCHMARKS(c_nested, kNested, handNested)

}  // namespace

int main(int argc, char** argv) {
    checkHandWritten(kTrig, handTrig);
    checkHandWritten(kPolynomial, handPolynomial);
    checkHandWritten(kNested, handNested);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

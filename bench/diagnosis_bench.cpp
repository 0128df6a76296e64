// SPDX-License-Identifier: GPL-3.0-or-later
// What telling the user costs, side by side with the work it explains:
//   Compile  - compiling the formula, as every request does;
//   Diagnose - the diagnosis (which compiles too), run as the user types and
//              after a request failed;
//   Parse / Describe - reading a 50 x 50 matrix text, and describing it.
// Run: build/bin/bench_diagnosis
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "expr/compiler.h"
#include "expr/diagnosis.h"
#include "matrix/matrix_text.h"
#include "matrix/text_description.h"

namespace {

const std::string kPolynomial = "1.25*x*x*x*x*x*x+2*x*x*x*x*x-3.5*x*x*x*x+x*x*x/4-6*x*x+7*x-8";

std::string repeated(const std::string& first, const std::string& piece, std::size_t times) {
    std::string text = first;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// 999 elements, the most a formula holds, readable; and the same with its
// fault at the end.
const std::string kLongest = repeated("x", "+x", 499);
const std::string kLongestFaulty = kLongest + "+";
// A pasted megabyte: more elements than a formula can hold.
const std::string kMegabyte = repeated("", "1.5+", 256 * 1024);

void Compile(benchmark::State& state, const std::string* formula) {
    const auto expr = std::make_unique<CompiledExpression>();
    for (auto _ : state) {
        CompileExpression(*expr, *formula);
        benchmark::DoNotOptimize(expr->hasValue);
    }
}

void Diagnose(benchmark::State& state, const std::string* formula) {
    for (auto _ : state) {
        const FormulaDiagnosis diagnosis = DiagnoseFormula(*formula);
        benchmark::DoNotOptimize(diagnosis.position);
    }
}

#define MEXORA_DIAGNOSIS_BENCHMARKS(NAME, FORMULA) \
    BENCHMARK_CAPTURE(Compile, NAME, &FORMULA);    \
    BENCHMARK_CAPTURE(Diagnose, NAME, &FORMULA);

MEXORA_DIAGNOSIS_BENCHMARKS(polynomial_55, kPolynomial)
MEXORA_DIAGNOSIS_BENCHMARKS(longest_999, kLongest)
MEXORA_DIAGNOSIS_BENCHMARKS(longest_faulty, kLongestFaulty)
MEXORA_DIAGNOSIS_BENCHMARKS(megabyte, kMegabyte)

std::string matrixText(int order) {
    std::string text;
    for (int i = 0; i < order * order; ++i) text += std::to_string(i % 97 - 48) + ".25, ";
    return text;
}
const std::string kMatrix50 = matrixText(50);

void Parse(benchmark::State& state) {
    std::vector<float> values(2500);
    for (auto _ : state) {
        ParseMatrixTextInto(kMatrix50, values);
        benchmark::DoNotOptimize(values.data());
    }
}

void Describe(benchmark::State& state) {
    for (auto _ : state) {
        const std::string said = DescribeMatrixText(kMatrix50, TextShape{50, 50, true});
        benchmark::DoNotOptimize(said.data());
    }
}

BENCHMARK(Parse);
BENCHMARK(Describe);

}  // namespace

BENCHMARK_MAIN();

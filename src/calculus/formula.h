// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "expr/evaluator.h"

// A compiled formula as the numeric methods use it: f at one point, or at many
// points known in advance, in the formula's precision. The methods are
// templates over this shape so that tests can count and trace evaluations at
// no cost to the real thing.
template <class Value>
struct BasicCompiledFormula {
    const BasicCompiledExpression<Value>& expr;
    // Evaluation never writes the compiled formula, so threads may share it.
    static constexpr bool kConcurrent = true;

    Value operator()(Value x) const { return EvaluateExpression(expr, x); }
    void operator()(const Value* xs, Value* values, int count) const {
        EvaluateExpressionBatch(expr, xs, values, count);
    }
};

using CompiledFormula = BasicCompiledFormula<float>;
using CompiledFormulaD = BasicCompiledFormula<double>;

// A formula that several threads may evaluate at once. Others (the tests'
// recording formulas) always run on the calling thread.
template <class Formula>
concept ConcurrentFormula = Formula::kConcurrent;

// Points evaluated per batch, and so between two looks at the cancel flag.
inline constexpr int kPointsPerBatch = 1024;

// Batches between two looks at the clock that decides when to spread work.
inline constexpr std::size_t kBatchesPerLook = 8;

// Folds values into total in order: total = combine(value, total). Kept out of
// line on purpose: inlined into a method, the running total shares a stack
// slot with the method's own and pays a store and a load for every term.
template <class Combine>
[[gnu::noinline]] double foldInOrder(double total, const float* values, int count,
                                     Combine combine) {
    for (int i = 0; i < count; ++i) total = combine(static_cast<double>(values[i]), total);
    return total;
}

inline double addTerm(double value, double total) { return value + total; }
inline double multiplyTerm(double value, double total) { return value * total; }

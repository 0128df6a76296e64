// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/evaluator.h"

#include <algorithm>
#include <cmath>

#include "expr/operations.h"
#include "expr/reduction.h"
#include "expr/replay.h"

namespace {

// Computes values as the reduction goes.
template <class Value>
struct ValueApply {
    using Element = BasicExprElement<Value>;

    void function(Element& function, const Element& operand) {
        function = {ElementCode::kNumber, applyFunction(function.code, operand.value)};
    }
    void binary(Element& left, char op, const Element& right) {
        left = {ElementCode::kNumber, applyOperator(op, left.value, right.value)};
    }
    void negate(Element& minus, const Element& operand) {
        minus = {ElementCode::kNumber, applyNegation(operand.value)};
    }
};

template <class Value>
using ValueReduction = Reduction<BasicExprElement<Value>, ValueApply<Value>>;

template <class Value>
bool reduceRange(BasicCompiledExpression<Value>& expr, int start, int length, int allowance) {
    ValueApply<Value> apply;
    return ValueReduction<Value>(expr.elements.data(), apply).reduceRange(start, length, allowance);
}

template <class Value>
void compactRange(BasicCompiledExpression<Value>& expr, int start, int length) {
    ValueApply<Value> apply;
    ValueReduction<Value>(expr.elements.data(), apply).compactRange(start, length);
}

template <class Value>
Value evaluateLiteral(BasicCompiledExpression<Value>& expr, Value x) {
    if (!expr.readable) return static_cast<Value>(NAN);
    const int count = expr.count;
    std::copy_n(expr.elements.begin(), count, expr.saved.begin());
    for (int i = 0; i < count; ++i) {
        if (expr.elements[i].code == ElementCode::kVariable) {
            expr.elements[i] = {ElementCode::kNumber, x};
        }
    }
    const bool reduced = reduceRange(expr, 0, count, expr.openParens) &&
                         reducedToOneNumber(expr.elements.data(), count);
    const Value result = reduced ? formulaResult(expr.elements[0].value) : static_cast<Value>(NAN);
    std::copy_n(expr.saved.begin(), count, expr.elements.begin());
    return result;
}

}  // namespace

float EvaluateExpression(const CompiledExpression& expr, float x) {
    return ReplayExpression(expr.plan, x);
}

double EvaluateExpression(const CompiledExpressionD& expr, double x) {
    return ReplayExpression(expr.plan, x);
}

void EvaluateExpressionBatch(const CompiledExpression& expr, const float* xs, float* results,
                             int count) {
    ReplayExpressionBatch(expr.plan, xs, results, count);
}

void EvaluateExpressionBatch(const CompiledExpressionD& expr, const double* xs, double* results,
                             int count) {
    ReplayExpressionBatch(expr.plan, xs, results, count);
}

float EvaluateExpression(float x) { return EvaluateExpression(SharedCompiledExpression(), x); }

float EvaluateExpressionLiteral(CompiledExpression& expr, float x) {
    return evaluateLiteral(expr, x);
}

double EvaluateExpressionLiteral(CompiledExpressionD& expr, double x) {
    return evaluateLiteral(expr, x);
}

bool ReduceRange(CompiledExpression& expr, int start, int length, int allowance) {
    return reduceRange(expr, start, length, allowance);
}

bool ReduceRange(CompiledExpressionD& expr, int start, int length, int allowance) {
    return reduceRange(expr, start, length, allowance);
}

void CompactRange(CompiledExpression& expr, int start, int length) {
    compactRange(expr, start, length);
}

void CompactRange(CompiledExpressionD& expr, int start, int length) {
    compactRange(expr, start, length);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/evaluator.h"

#include <algorithm>
#include <cmath>

#include "expr/operations.h"
#include "expr/reduction.h"
#include "expr/replay.h"

namespace {

// Computes values as the reduction goes.
struct ValueApply {
    void function(ExprElement& function, const ExprElement& operand) {
        function = {ElementCode::kNumber, applyFunction(function.code, operand.value)};
    }
    void binary(ExprElement& left, char op, const ExprElement& right) {
        left = {ElementCode::kNumber, applyOperator(op, left.value, right.value)};
    }
    void negate(ExprElement& minus, const ExprElement& operand) {
        minus = {ElementCode::kNumber, applyNegation(operand.value)};
    }
};

using ValueReduction = Reduction<ExprElement, ValueApply>;

}  // namespace

float EvaluateExpression(const CompiledExpression& expr, float x) {
    return ReplayExpression(expr.plan, x);
}

void EvaluateExpressionBatch(const CompiledExpression& expr, const float* xs, float* results,
                             int count) {
    ReplayExpressionBatch(expr.plan, xs, results, count);
}

float EvaluateExpression(float x) { return EvaluateExpression(SharedCompiledExpression(), x); }

float EvaluateExpressionLiteral(CompiledExpression& expr, float x) {
    if (!expr.readable) return NAN;
    const int count = expr.count;
    std::copy_n(expr.elements.begin(), count, expr.saved.begin());
    for (int i = 0; i < count; ++i) {
        if (expr.elements[i].code == ElementCode::kVariable) {
            expr.elements[i] = {ElementCode::kNumber, x};
        }
    }
    const bool reduced = ReduceRange(expr, 0, count, expr.openParens) &&
                         reducedToOneNumber(expr.elements.data(), count);
    const float result = reduced ? formulaResult(expr.elements[0].value) : NAN;
    std::copy_n(expr.saved.begin(), count, expr.elements.begin());
    return result;
}

bool ReduceRange(CompiledExpression& expr, int start, int length, int allowance) {
    ValueApply apply;
    return ValueReduction(expr.elements.data(), apply).reduceRange(start, length, allowance);
}

void CompactRange(CompiledExpression& expr, int start, int length) {
    ValueApply apply;
    ValueReduction(expr.elements.data(), apply).compactRange(start, length);
}

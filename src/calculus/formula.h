#pragma once

#include "expr/evaluator.h"

// A compiled formula as the numeric methods use it: f at one point, or at many
// points known in advance. The methods are templates over this shape so that
// tests can count and trace evaluations at no cost to the real thing.
struct CompiledFormula {
    const CompiledExpression& expr;

    float operator()(float x) const { return EvaluateExpression(expr, x); }
    void operator()(const float* xs, float* values, int count) const {
        EvaluateExpressionBatch(expr, xs, values, count);
    }
};

// Points evaluated per batch, and so between two looks at the cancel flag.
inline constexpr int kPointsPerBatch = 1024;

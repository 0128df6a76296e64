// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calculus/formula.h"
#include "expr/compiler.h"

// A compiled formula that records every point it is evaluated at, in order.
class CountingFormula {
  public:
    explicit CountingFormula(const std::string& text)
        : expr_(std::make_unique<CompiledExpression>()) {
        CompileExpression(*expr_, text);
    }

    float operator()(float x) const {
        points.push_back(x);
        return EvaluateExpression(*expr_, x);
    }
    void operator()(const float* xs, float* values, int count) const {
        points.insert(points.end(), xs, xs + count);
        EvaluateExpressionBatch(*expr_, xs, values, count);
    }

    mutable std::vector<float> points;

  private:
    std::unique_ptr<CompiledExpression> expr_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expr/compiled_expression.h"

// A formula's value and its derivative at one point.
template <class T>
struct BasicValueAndSlope {
    T value;
    T slope;
};
using ValueAndSlope = BasicValueAndSlope<double>;

// f(x) and f'(x) of a double formula by forward automatic differentiation:
// the formula is reduced as the evaluator reduces it, each element carrying
// its derivative with respect to x beside its value. Where a function has no derivative (abs at 0,
// sqrt at 0) the slope is what the rule gives there, which may be NaN or infinite; the caller
// judges it. Both are NaN when the formula has no value.
ValueAndSlope EvaluateWithSlope(const CompiledExpressionD& expr, double x);

// The same in long double, whose wider significand (on x86, 64 bits against
// 53) makes it the yardstick of the double one's rounding.
BasicValueAndSlope<long double> EvaluateWithSlopeExtended(const CompiledExpressionD& expr,
                                                          long double x);

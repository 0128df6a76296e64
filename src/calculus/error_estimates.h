// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "calculus/double_estimate.h"
#include "core/precision.h"
#include "core/work_control.h"

// The double-precision side of the calculus requests: each request's method
// in double on a formula text read in a language (the double mode's own, or
// the single mode's, whose results these estimates then check). Every value
// of the formula is kept in double. A text with no value gives no value.

// The levels the estimates of single results use: enough for every integrand
// that single precision handles, at a few thousand evaluations.
inline constexpr int kEstimateDepth = 12;

// The derivative: automatic differentiation of the formula, checked against
// Ridders' extrapolation from the step h0. Where the two agree within
// Ridders' bound, the error is the slope's rounding, measured against the
// same differentiation in long double; otherwise their distance plus
// Ridders' bound. Where the formula has no finite slope by the rules,
// Ridders' value. reached: the error is within tolerance.
Estimate DoubleRequestDerivative(std::string_view formula, Precision language, double x0, double h0,
                                 double tolerance, int depth, WorkControl* control);

// The integral as exact as depth allows, whatever the tolerance; reached: the
// error is within it.
Estimate DoubleRequestIntegral(std::string_view formula, Precision language, double a, double b,
                               double tolerance, int depth, WorkControl* control);
Estimate DoubleRequestSum(std::string_view formula, Precision language, double from, double to,
                          double step, WorkControl* control);
Estimate DoubleRequestProduct(std::string_view formula, Precision language, double from, double to,
                              double step, WorkControl* control);
Estimate DoubleRequestRoot(std::string_view formula, Precision language, double a, double b,
                           double delta, WorkControl* control);

// The error of a single-precision result given the same request's estimate
// in double: their distance plus the estimate's own error; infinity when the
// double one has no value.
double SingleResultError(double single, const Estimate& inDouble);

// The error of a single-precision root x in [a, b]: the smallest bracket
// around x over which the formula, in double, changes sign, and the root
// there; infinity when none is found.
double SingleRootError(std::string_view formula, double x, double a, double b,
                       WorkControl* control);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfloat>
#include <cmath>
#include <limits>

#include "core/work_control.h"

// What a method of the double-precision mode gives: its value and a bound on
// |value - exact| that errs on the large side. reached: the method got within
// what was asked (a root: one was found; a progression: it ended). A
// cancelled method has no value.
struct Estimate {
    double value = std::numeric_limits<double>::quiet_NaN();
    double error = std::numeric_limits<double>::infinity();
    bool reached = false;
    bool cancelled = false;
};

// The unit roundoff of double.
inline constexpr double kUnitRoundoff = DBL_EPSILON / 2;

// The relative error allowed for each value a formula returns. A formula of a
// few operations rounds a few times; the bounds below charge this much on
// every value they use, so that they hold for the formula as evaluated and
// not only for the exact one.
inline constexpr double kValueRounding = 2 * DBL_EPSILON;

// gamma(n) = n u / (1 - n u): the relative error bound of n roundings; past
// the point where it means anything, infinity.
inline double RoundingGamma(double n) {
    const double nu = n * kUnitRoundoff;
    return nu < 0.5 ? nu / (1 - nu) : std::numeric_limits<double>::infinity();
}

// Thrown out of a method's evaluations when its work is cancelled; the method
// catches it. Boost's solvers offer no other way out of their loops.
struct WorkCancelled {};

// Evaluations between two looks at the cancel flag, for methods whose loops
// belong to a library.
inline constexpr unsigned long long kEvaluationsPerLook = 256;

// f as a library's loops call it: counts the evaluations, reports them, and
// throws WorkCancelled at a look that finds the work cancelled. expected is
// the count the fraction is of.
template <class F>
struct WatchedFormula {
    const F& f;
    WorkControl* control;
    double expected;
    unsigned long long evaluations = 0;

    double operator()(double x) {
        if (control && evaluations % kEvaluationsPerLook == 0) {
            control->reportPoints(evaluations);
            control->reportFraction(std::fmin(1.0, static_cast<double>(evaluations) / expected));
            if (control->cancelRequested()) throw WorkCancelled{};
        }
        ++evaluations;
        return f(x);
    }
};

inline Estimate CancelledEstimate() {
    Estimate e;
    e.cancelled = true;
    return e;
}

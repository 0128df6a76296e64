// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

#include "calculus/formula.h"
#include "core/work_control.h"

// f'(x0) by central differences, halving the step from h0 until two successive
// estimates differ by less than eps (the first is compared with 0), within
// depth estimates. On failure sets failed to 1 and returns 0.0.
//
// It always ends: once the step is below the float spacing at x0 both points
// round to the same single, the estimate is 0 (or NaN), and the next one
// agrees with it; so at most about 1100 estimates are ever made. A plainer
// bound serves the progress: halving any finite step gives 0 within 2100
// halvings, and a zero step's estimate is NaN, which ends the method.
inline constexpr int kMostDerivativeEstimates = 2101;

template <class Formula>
double Derivative(const Formula& f, double x0, double h0, double eps, int depth, int& failed,
                  WorkControl* control = nullptr) {
    const double most = std::min(depth, kMostDerivativeEstimates);
    double h = h0;
    double previous = 0.0;
    for (int n = 0; n < depth; ++n) {
        const double above = f(static_cast<float>(h + x0));
        const double below = f(static_cast<float>(x0 - h));
        const double estimate = (above - below) / (h + h);
        if (!(std::fabs(estimate - previous) >= eps)) return estimate;
        h = h * 0.5;
        previous = estimate;
        if (control && n % 64 == 63) {
            control->reportPoints(2ULL * static_cast<unsigned long long>(n + 1));
            control->reportFraction(std::min(1.0, (n + 1) / most));
            if (control->cancelRequested()) return 0.0;
        }
    }
    failed = 1;
    return 0.0;
}

double Derivative(const CompiledExpression& expr, double x0, double h0, double eps, int depth,
                  int& failed, WorkControl* control = nullptr);

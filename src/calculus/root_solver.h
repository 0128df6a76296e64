// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "calculus/formula.h"
#include "core/work_control.h"

// Passes after which the root solver gives up. A pass costs one evaluation.
// Every pass that moves the a end halves the stored b-end value, which a
// double survives only about 2100 times, and every other pass replaces the b
// end; a bracket that converges at all does so within a few thousand passes.
// One that cannot (one end pinned, |F| never within delta) would otherwise
// loop for ever; this bound stops it in well under a second even for the
// longest formulas.
inline constexpr long kMaxRootPasses = 100000;

// One real root of F(x) = 0 between a and b by false position, halving the
// b-end value each time the a end moves. delta bounds |F| at the root, eps the
// width of the bracket. When F has the same sign at both ends, or is NaN at
// either, sets noRoot to 1 and returns 0.0. A result may be NaN or infinite
// when F produced such values; so is the result when the bound is reached.
template <class Formula>
double FindRoot(const Formula& F, double a, double b, double delta, double eps, int& noRoot,
                WorkControl* control = nullptr) {
    const double fa0 = F(static_cast<float>(a));
    const double fb0 = F(static_cast<float>(b));
    if (std::isnan(fa0) || std::isnan(fb0)) {
        noRoot = 1;
        return 0.0;
    }
    if (std::fabs(fa0) < delta) return a;
    if (std::fabs(fb0) < delta) return b;
    if (fa0 * fb0 > 0) {
        noRoot = 1;
        return 0.0;
    }
    if (std::fabs(a - b) <= eps) return (a + b) * 0.5;

    double fa = fa0;
    double fb = fb0;
    for (long pass = 1;; ++pass) {
        const double x = (fb * a - fa * b) / (fb - fa);
        const double fx = F(static_cast<float>(x));
        if (std::fabs(fx) <= delta) return x;
        if (fx * fa > 0) {
            a = x;
            fa = fx;
            fb = fb * 0.5;
        } else {
            b = x;
            fb = fx;
        }
        if (!(std::fabs(a - b) > eps)) return x;
        if (pass >= kMaxRootPasses) return NAN;
        if (control && pass % 1024 == 0) {
            control->reportPoints(static_cast<unsigned long long>(pass) + 2);
            control->reportFraction(static_cast<double>(pass) / kMaxRootPasses);
            if (control->cancelRequested()) return 0.0;
        }
    }
}

double FindRoot(const CompiledExpression& expr, double a, double b, double delta, double eps,
                int& noRoot, WorkControl* control = nullptr);

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

// Halvings of the final bracket that tell a root from a pole or a jump.
inline constexpr int kRootCheckHalvings = 3;

// Whether F, which changes sign over the narrow bracket [a, b] (fa = F(a),
// fb = F(b)), does so through zero. A pole (tan x at pi/2) or a jump changes
// sign too. Halving the bracket a few times, |F| at its ends shrinks towards a
// root (at least by half at a simple one), grows towards a pole and stays at a
// jump. Where float abscissae no longer split the bracket, or F is noise
// around zero, |F| already small next to its size at the ends of the
// interval asked (ends0) tells.
template <class Formula>
bool SignChangeIsRoot(const Formula& F, double a, double b, double fa, double fb, double ends0) {
    const double start = std::fmax(std::fabs(fa), std::fabs(fb));
    if (start <= ends0 * 1e-3) return true;
    int halvings = 0;
    for (; halvings < kRootCheckHalvings; ++halvings) {
        const double m = (a + b) * 0.5;
        const float fm32 = static_cast<float>(m);
        if (fm32 == static_cast<float>(a) || fm32 == static_cast<float>(b)) break;
        const double fm = F(fm32);
        if (fm == 0) return true;
        if (std::isnan(fm)) return false;
        if ((fm > 0) == (fa > 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
            fb = fm;
        }
    }
    return halvings > 0 && std::fmax(std::fabs(fa), std::fabs(fb)) < start;
}

// One real root of F(x) = 0 between a and b by false position, halving the
// b-end value each time the a end moves. delta bounds |F| at the root, eps the
// width of the bracket. When F has the same sign at both ends, or is NaN at
// either, or the bracket closes on a sign change that is no root (a pole or a
// jump, see SignChangeIsRoot), sets noRoot to 1 and returns 0.0. A result may
// be NaN or infinite when F produced such values; so is the result when the
// bound is reached.
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
    // Where |F| does not become small, the sign change is no root.
    const double ends0 = std::fmin(std::fabs(fa0), std::fabs(fb0));
    const auto closed = [&](double x, double fa, double fb) {
        if (std::isnan(x) || SignChangeIsRoot(F, a, b, fa, fb, ends0)) return x;
        noRoot = 1;
        return 0.0;
    };
    if (std::fabs(a - b) <= eps) return closed((a + b) * 0.5, fa0, fb0);

    double fa = fa0;
    double fb = fb0;
    bool fbHalved = false;  // fb is then no longer F(b)
    for (long pass = 1;; ++pass) {
        const double x = (fb * a - fa * b) / (fb - fa);
        const double fx = F(static_cast<float>(x));
        if (std::fabs(fx) <= delta) return x;
        if (fx * fa > 0) {
            a = x;
            fa = fx;
            fb = fb * 0.5;
            fbHalved = true;
        } else {
            b = x;
            fb = fx;
            fbHalved = false;
        }
        if (!(std::fabs(a - b) > eps))
            return closed(x, fa, fbHalved ? F(static_cast<float>(b)) : fb);
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

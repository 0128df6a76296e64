// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "calculus/double_estimate.h"
#include "core/work_control.h"

// Ridders' extrapolation: each row shrinks the step by kRiddersShrink, so the
// error term h^2k of a central difference falls by kRiddersShrink^2k from one
// row to the next, which Richardson's formula removes.
inline constexpr double kRiddersShrink = 1.4;

// Rows end once the newest diagonal entry differs from the last by this much
// times the best error so far: rounding has taken over from truncation.
inline constexpr double kRiddersGrowthStop = 2.0;

// Rows at most, whatever the depth: after 64 the step is h0 / 1.4^63, some
// 1e-9 of it, and rounding has long decided.
inline constexpr int kMostRiddersRows = 64;

// One entry of the tableau and a bound on the part of its error that comes
// from rounding: the values' own (kValueRounding each) carried through the
// differences and the extrapolations, plus the arithmetic's.
struct RiddersEntry {
    double value;
    double rounding;
};

// The central difference over [x0 - h, x0 + h], divided by the distance
// between the two points as they are in double.
template <class F>
RiddersEntry CentralDifference(const F& f, double x0, double h) {
    const double above = x0 + h;
    const double below = x0 - h;
    const double fa = f(above);
    const double fb = f(below);
    const double span = above - below;
    const double value = (fa - fb) / span;
    const double rounding = kValueRounding * (std::fabs(fa) + std::fabs(fb)) / std::fabs(span) +
                            2 * DBL_EPSILON * std::fabs(value);
    return {value, rounding};
}

// Richardson's step between columns: fresh is over the smaller step, older
// over the larger one, and their error terms differ by the factor ratio.
inline RiddersEntry Extrapolate(const RiddersEntry& fresh, const RiddersEntry& older,
                                double ratio) {
    const double value = (fresh.value * ratio - older.value) / (ratio - 1);
    const double rounding = (ratio * fresh.rounding + older.rounding) / (ratio - 1) +
                            2 * DBL_EPSILON * std::fabs(value);
    return {value, rounding};
}

// f'(x0) by Ridders' method from the initial step h0: a tableau of at most
// depth rows, each adding a central difference over a smaller step and its
// extrapolations. The answer is the entry that differs least from its two
// parents; that difference, plus the entry's rounding bound, is the error
// (truncation falls so fast along the tableau that the parents' error, which
// the difference measures, dwarfs the entry's own). reached: the error is
// within tolerance.
template <class F>
Estimate DoubleDerivative(const F& f, double x0, double h0, double tolerance, int depth,
                          WorkControl* control = nullptr) {
    const int rows = std::min(depth, kMostRiddersRows);
    if (rows < 1) return Estimate{};
    std::array<RiddersEntry, kMostRiddersRows> rowA{};
    std::array<RiddersEntry, kMostRiddersRows> rowB{};
    RiddersEntry* previous = rowA.data();
    RiddersEntry* current = rowB.data();
    Estimate best;
    double bestRounding = 0.0;
    double bestDifference = INFINITY;
    double h = h0;
    for (int i = 0; i < rows; ++i) {
        if (control) {
            control->reportPoints(2ULL * static_cast<unsigned long long>(i));
            control->reportFraction(static_cast<double>(i) / rows);
            if (control->cancelRequested()) return CancelledEstimate();
        }
        current[0] = CentralDifference(f, x0, h);
        if (i == 0) best.value = current[0].value;  // with no error known
        double ratio = kRiddersShrink * kRiddersShrink;
        for (int j = 1; j <= i; ++j) {
            current[j] = Extrapolate(current[j - 1], previous[j - 1], ratio);
            ratio *= kRiddersShrink * kRiddersShrink;
            const double difference =
                std::fmax(std::fabs(current[j].value - current[j - 1].value),
                          std::fabs(current[j].value - previous[j - 1].value));
            if (difference <= bestDifference) {
                bestDifference = difference;
                best.value = current[j].value;
                bestRounding = current[j].rounding;
            }
        }
        if (i > 0 && std::fabs(current[i].value - previous[i - 1].value) >=
                         kRiddersGrowthStop * bestDifference)
            break;
        std::swap(previous, current);
        h /= kRiddersShrink;
    }
    best.error = bestDifference + bestRounding;
    best.reached = best.error <= tolerance;
    return best;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <boost/math/tools/toms748_solve.hpp>

#include "calculus/double_estimate.h"
#include "calculus/root_solver.h"
#include "core/work_control.h"

// Evaluations TOMS 748 may make. It closes a bracket to a few ulps within
// some ten to twenty on a simple root; a multiple one at 0, where its relative
// test cannot be met, would go on for ever.
inline constexpr std::uintmax_t kMostDoubleRootIterations = 200;

// Bisections after TOMS 748, whose tightest test stops at 4 epsilons
// (about eight doubles), down to two neighbouring doubles.
inline constexpr int kMostRootFinishingHalvings = 8;

// The half-width of the bracket the root test halves, relative to the
// interval asked: wide enough that rounding noise does not decide, narrow
// enough that F is close to linear over it.
inline constexpr double kRootCheckWidth = 0x1p-20;

// A bracket [lo, hi] over which F changes sign, with F at its ends.
struct SignBracket {
    double lo, hi, flo, fhi;

    // Splits at m, keeping the half where the sign changes; false when m is
    // not strictly inside. An exact zero closes the bracket on it.
    template <class G>
    bool split(G& f, double m) {
        if (!(m > lo && m < hi)) return false;
        const double fm = f(m);
        if (fm == 0) {
            *this = {m, m, fm, fm};
        } else if ((fm > 0) == (flo > 0)) {
            lo = m;
            flo = fm;
        } else {
            hi = m;
            fhi = fm;
        }
        return true;
    }
    bool closed() const { return flo == 0 || fhi == 0; }
    double middle() const { return lo + (hi - lo) * 0.5; }
};

// The bracket the root test works on: the final one, only an ulp or two wide,
// widened by kRootCheckWidth of the interval asked on each side (within
// [a0, b0]).
template <class G>
SignBracket WidenedBracket(G& f, const SignBracket& final, double a0, double b0) {
    const double w = std::max((b0 - a0) * kRootCheckWidth, 16 * DBL_EPSILON * std::fabs(final.lo));
    const double lo = std::max(a0, final.lo - w);
    const double hi = std::min(b0, final.hi + w);
    return {lo, hi, f(lo), f(hi)};
}

inline double Slope(const SignBracket& b) { return std::fabs(b.fhi - b.flo) / (b.hi - b.lo); }

// SignChangeIsRoot for doubles, on the widened bracket: halving it
// kRootCheckHalvings times, |F| at its ends shrinks towards a root, grows
// towards a pole and stays at a jump. As in single precision, |F| at the
// final bracket already tiny next to its size at the ends asked (ends0) is a
// root too: noise around a multiple root defeats the halving.
template <class G>
bool DoubleSignChangeIsRoot(G& f, SignBracket wide, const SignBracket& final, double ends0) {
    if (std::fmax(std::fabs(final.flo), std::fabs(final.fhi)) <= ends0 * 1e-3) return true;
    if (std::isnan(wide.flo) || std::isnan(wide.fhi) || (wide.flo > 0) == (wide.fhi > 0))
        return false;
    const double start = std::fmax(std::fabs(wide.flo), std::fabs(wide.fhi));
    int halvings = 0;
    for (; halvings < kRootCheckHalvings && !wide.closed(); ++halvings) {
        if (!wide.split(f, wide.middle())) break;
        if (std::isnan(wide.flo) || std::isnan(wide.fhi)) return false;
    }
    if (wide.closed()) return true;
    return halvings > 0 && std::fmax(std::fabs(wide.flo), std::fabs(wide.fhi)) < start;
}

// The error of a root in bracket: its width, plus the distance over which F's
// own rounding could move the sign change, |F| at the bracket's ends over the
// slope, doubled.
inline double RootError(const SignBracket& b, double slope) {
    const double noise = std::fmax(std::fabs(b.flo), std::fabs(b.fhi));
    return (b.hi - b.lo) + (noise == 0 ? 0.0 : 2 * noise / slope);
}

// One real root of F between a and b, to the last bits of a double. A sign
// change is always refined, however small F is at an end. Without one, as in
// single precision, an end where |F| < delta is the root (a before b, with an
// infinite error: nothing was located); otherwise, or with a NaN, there is no
// root, and neither is a sign change through a pole or a jump
// (DoubleSignChangeIsRoot). Otherwise TOMS 748 closes the bracket and bisection
// finishes it; the root is the end where |F| is least. reached: a root.
template <class F>
Estimate DoubleRoot(const F& f, double a, double b, double delta, WorkControl* control = nullptr) {
    const double expected = static_cast<double>(kMostDoubleRootIterations) + 24;
    WatchedFormula<F> watched{f, control, expected};
    auto g = [&watched](double x) { return watched(x); };
    const Estimate noRoot;
    try {
        const double fa = g(a);
        const double fb = g(b);
        if (std::isnan(fa) || std::isnan(fb)) return noRoot;
        if ((fa > 0 && fb > 0) || (fa < 0 && fb < 0)) {
            // No sign change: an end as small as delta is the answer, as in
            // single precision, but nothing says how far the root is.
            if (std::fabs(fa) < delta) return Estimate{a, INFINITY, true, false};
            if (std::fabs(fb) < delta) return Estimate{b, INFINITY, true, false};
            return noRoot;
        }
        const double ends0 = std::fmin(std::fabs(fa), std::fabs(fb));
        SignBracket br = a < b ? SignBracket{a, b, fa, fb} : SignBracket{b, a, fb, fa};
        const double a0 = br.lo;
        const double b0 = br.hi;

        std::uintmax_t iterations = kMostDoubleRootIterations;
        const auto closed = boost::math::tools::toms748_solve(
            g, br.lo, br.hi, br.flo, br.fhi, boost::math::tools::eps_tolerance<double>(),
            iterations);
        // Boost returns the bracket without the values at its ends.
        br = {closed.first, closed.second, g(closed.first), g(closed.second)};
        if (std::isnan(br.flo) || std::isnan(br.fhi)) return noRoot;
        // A bracket still across 0 (a multiple root there) may close on it.
        if (!br.closed() && br.lo < 0 && br.hi > 0) br.split(g, 0.0);
        for (int i = 0; i < kMostRootFinishingHalvings && !br.closed(); ++i)
            if (!br.split(g, br.middle())) break;
        if (br.closed()) {
            // An exact zero: its error is measured over the neighbouring doubles.
            const double x = br.flo == 0 ? br.lo : br.hi;
            const double below = std::max(a0, std::nextafter(x, -INFINITY));
            const double above = std::min(b0, std::nextafter(x, INFINITY));
            const SignBracket around{below, above, g(below), g(above)};
            return Estimate{x, RootError(around, Slope(WidenedBracket(g, around, a0, b0))), true,
                            false};
        }
        const SignBracket wide = WidenedBracket(g, br, a0, b0);
        if (!DoubleSignChangeIsRoot(g, wide, br, ends0)) return noRoot;
        const double x = std::fabs(br.flo) <= std::fabs(br.fhi) ? br.lo : br.hi;
        return Estimate{x, RootError(br, Slope(wide)), true, false};
    } catch (const WorkCancelled&) {
        return CancelledEstimate();
    } catch (...) {
        // toms748_solve's domain and evaluation errors.
        return noRoot;
    }
}

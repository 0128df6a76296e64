// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <boost/math/quadrature/exp_sinh.hpp>
#include <boost/math/quadrature/sinh_sinh.hpp>
#include <boost/math/quadrature/tanh_sinh.hpp>

#include "calculus/double_estimate.h"
#include "core/work_control.h"

// The deepest level of the double-precision integral. Boost keeps the nodes of
// every level it reaches, about 2^(level+2) of them: at level 20, some four
// million pairs of doubles, 64 MB. Past that the memory, not the time, is the
// limit.
inline constexpr int kMostDoubleIntegralLevel = 20;

// Boost starts from a table of precomputed levels and keeps it whatever
// smaller bound is asked: below this many levels the depth no longer bounds.
inline constexpr int kFewestDoubleIntegralLevels = 7;

// The smallest relative tolerance handed to Boost: its own test compares the
// difference of two levels with the L1 norm, which rounding keeps above a
// few epsilons.
inline constexpr double kFinestQuadratureTolerance = 4 * DBL_EPSILON;

// Runs of Boost's rule at most: the first with a relative tolerance guessed
// from the absolute one, and again with a finer one when Boost met its test
// but the absolute tolerance is not met.
inline constexpr int kMostQuadraturePasses = 3;

// The double-exponential rule that suits the interval.
enum class QuadratureRule {
    TanhSinh,  // finite
    ExpSinh,   // one end infinite
    SinhSinh,  // the whole line
};

inline QuadratureRule RuleForInterval(double a, double b) {
    if (std::isinf(a) && std::isinf(b)) return QuadratureRule::SinhSinh;
    if (std::isinf(a) || std::isinf(b)) return QuadratureRule::ExpSinh;
    return QuadratureRule::TanhSinh;
}

// Roughly the evaluations a rule makes over all its levels, for the progress
// bar only: the levels double their nodes, and the half-infinite rule has
// about twice the nodes of the others.
inline double ExpectedQuadratureEvaluations(QuadratureRule rule, int levels) {
    const double perLevelUnit = rule == QuadratureRule::ExpSinh ? 8.5 : 4.2;
    return perLevelUnit * std::ldexp(1.0, std::max(levels, kFewestDoubleIntegralLevels));
}

// One run of Boost's rule: the value, the difference of its last two levels,
// the integral of |f| by the same rule, and whether Boost stopped on its own
// test (rather than on its depth or on an error that grew).
struct QuadraturePass {
    double value = 0.0;
    double levelDifference = 0.0;
    double l1 = 0.0;
    bool boostTestMet = false;
};

// Whether Boost's tanh_sinh scales the level difference it reports to the
// interval, as it does the value and the L1 norm: 1.74 reports it as on
// [-1, 1] (boostorg/math#449), later releases scale it. One integrand over
// [0, 1] and, stretched, over [0, 2] tells: the rule sees the same values on
// [-1, 1] both times, so only a scaling makes the second difference twice the
// first.
inline bool TanhSinhScalesItsError() {
    static const bool scales = [] {
        boost::math::quadrature::tanh_sinh<double> rule;
        double unit = 0.0;
        double stretched = 0.0;
        rule.integrate([](double x) { return std::exp(x); }, 0.0, 1.0, 1e-3, &unit);
        rule.integrate([](double x) { return std::exp(x / 2); }, 0.0, 2.0, 1e-3, &stretched);
        return stretched > 1.5 * unit;
    }();
    return scales;
}

template <class G>
QuadraturePass RunQuadrature(QuadratureRule rule, const G& g, double a, double b, double relative,
                             std::size_t levels) {
    using namespace boost::math::quadrature;
    QuadraturePass p;
    switch (rule) {
        case QuadratureRule::TanhSinh:
            p.value =
                tanh_sinh<double>(levels).integrate(g, a, b, relative, &p.levelDifference, &p.l1);
            if (!TanhSinhScalesItsError()) p.levelDifference *= (b - a) / 2;
            break;
        case QuadratureRule::ExpSinh:
            // Boost maps [a, inf) by x = a + t and (-inf, b] by x = b - t.
            p.value =
                exp_sinh<double>(levels).integrate(g, a, b, relative, &p.levelDifference, &p.l1);
            break;
        case QuadratureRule::SinhSinh:
            p.value = sinh_sinh<double>(levels).integrate(g, relative, &p.levelDifference, &p.l1);
            break;
    }
    p.boostTestMet = p.levelDifference <= relative * p.l1;
    return p;
}

// The factor lambda of the probable bound lambda sqrt(n) u on the rounding of
// a sum of n terms, relative to the sum of their magnitudes (Higham and Mary,
// 2019): it holds with probability at least 1 - 2 exp(-lambda^2 / 2), 98 %
// at 3, a floor that real sums, whose errors partly cancel, exceed by far.
// The worst case, gamma(n), grows as n and would disown two digits that
// every measured integral has.
inline constexpr double kProbableRoundingFactor = 3;

// The error of a pass. The difference of the last two levels bounds the error
// of the last: double-exponential rules converge so fast that the earlier
// level's error, which the difference measures, dwarfs the later one's. To it
// come the rounding of the values (kValueRounding of each, so of the L1
// norm), the probable rounding of the weighted sums over n evaluations
// (kProbableRoundingFactor sqrt(n) u of the L1 norm) and that of the final
// scaling.
inline double QuadratureError(const QuadraturePass& p, unsigned long long evaluations) {
    const double summing =
        kProbableRoundingFactor * std::sqrt(static_cast<double>(evaluations)) * kUnitRoundoff;
    const double rounding = (kValueRounding + summing) * p.l1 + DBL_EPSILON * std::fabs(p.value);
    return p.levelDifference + rounding;
}

// Distances from the sliver's edge at which f is compared to guess its power.
inline constexpr double kEndPowerSpan = 0x1p10;

// The sliver next to a finite end is this many times the spacing of doubles
// there: Boost's last node may sit a little further in than the spacing.
inline constexpr double kEndSliverSpacings = 4;

// The integral of |f| over the sliver next to a finite end that tanh-sinh's
// nodes cannot reach: no double lies closer to the end than its spacing there
// (DBL_MIN at 0, and Boost's table stops at 4 DBL_MIN of the half-width). The
// level difference never sees this part, which a singular end makes large:
// 3e-8 for 1/sqrt(x - 1) on [1, 2]. f is taken to behave like |x - end|^-p,
// p from |f| at the sliver's edge and kEndPowerSpan times further in; the
// sliver of width d then holds d |f(end + d)| / (1 - p), doubled to be safe.
// An end where p >= 1 may have no integral at all: infinity.
template <class G>
double UnreachedEndMass(const G& g, double end, double inward, double halfWidth) {
    const double spacing = std::fabs(std::nextafter(end, end + inward) - end);
    const double d = kEndSliverSpacings * std::max({spacing, 4 * DBL_MIN * halfWidth, DBL_MIN});
    const double edge = std::fabs(g(end + inward * d));
    const double further = std::fabs(g(end + inward * d * kEndPowerSpan));
    if (edge == 0) return 0.0;
    const double p = std::max(0.0, std::log(edge / further) / std::log(kEndPowerSpan));
    if (!(p < 1) || !std::isfinite(edge)) return INFINITY;
    return 2 * d * edge / (1 - p);
}

// The integral of f from a to b, either of which may be infinite: tanh-sinh
// on a finite interval (whose nodes crowd the ends, so a singular end is
// fine, the sliver no double reaches charged to the error), exp-sinh on a
// half-infinite one, sinh-sinh on the whole line. depth
// bounds the levels (see kFewestDoubleIntegralLevels, kMostDoubleIntegralLevel);
// tolerance is the absolute error accepted. A value that is not finite
// somewhere (Boost then throws) leaves it not reached, with no value.
template <class F>
Estimate DoubleIntegral(const F& f, double a, double b, double tolerance, int depth,
                        WorkControl* control = nullptr) {
    if (std::isnan(a) || std::isnan(b) || depth < 1) return Estimate{};
    if (a == b) return Estimate{0.0, 0.0, true, false};
    if (a > b) {
        Estimate e = DoubleIntegral(f, b, a, tolerance, depth, control);
        e.value = -e.value;
        return e;
    }
    const QuadratureRule rule = RuleForInterval(a, b);
    const int levels = std::min(depth, kMostDoubleIntegralLevel);
    WatchedFormula<F> watched{f, control, ExpectedQuadratureEvaluations(rule, levels)};
    const auto g = [&watched](double x) { return watched(x); };
    // Boost's tolerance is relative to the L1 norm; guess a norm of 1 first.
    double relative = std::clamp(0.5 * tolerance, kFinestQuadratureTolerance,
                                 boost::math::tools::root_epsilon<double>());
    if (std::isnan(relative)) relative = kFinestQuadratureTolerance;
    Estimate result;
    try {
        for (int pass = 0; pass < kMostQuadraturePasses; ++pass) {
            const unsigned long long before = watched.evaluations;
            const QuadraturePass p = RunQuadrature(rule, g, a, b, relative, levels);
            double error = QuadratureError(p, watched.evaluations - before);
            if (rule == QuadratureRule::TanhSinh) {
                const double halfWidth = (b - a) / 2;
                error +=
                    UnreachedEndMass(g, a, 1, halfWidth) + UnreachedEndMass(g, b, -1, halfWidth);
            }
            if (!std::isfinite(p.value)) return Estimate{};
            result = Estimate{p.value, error, error <= tolerance, false};
            if (result.reached || !p.boostTestMet || !std::isfinite(error)) break;
            // Ask Boost for the part of the tolerance its difference may use.
            const double rounding = error - p.levelDifference;
            const double finer = 0.5 * (tolerance - rounding) / p.l1;
            const double next = std::max(finer, kFinestQuadratureTolerance);
            if (!(finer > 0) || !(next < relative)) break;
            relative = next;
        }
    } catch (const WorkCancelled&) {
        return CancelledEstimate();
    } catch (...) {
        // Boost's evaluation_error (a value that is not finite) and
        // domain_error (a bad interval, a rule that does not fit).
        return Estimate{};
    }
    return result;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculus/error_estimates.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

#include "calculus/double_derivative.h"
#include "calculus/double_integral.h"
#include "calculus/double_progression.h"
#include "calculus/double_root.h"
#include "calculus/formula.h"
#include "expr/compiler.h"
#include "expr/slope.h"

namespace {

// Each request compiles a formula of its own, so a request on a worker
// thread never shares it.
std::unique_ptr<CompiledExpressionD> compile(std::string_view formula, Precision language) {
    auto expr = std::make_unique<CompiledExpressionD>();
    CompileExpression(*expr, formula, language);
    return expr;
}

// The widths of the brackets SingleRootError tries grow fourfold from this
// part of the interval: from far below a single's spacing to all of it.
constexpr double kFirstRootBracket = 0x1p-60;

// Whether long double carries more bits than double, as the x87 format does:
// only then is it a yardstick for the rounding of a double slope.
constexpr bool kWiderLongDouble = LDBL_MANT_DIG > DBL_MANT_DIG + 8;

// Charged on a slope beyond its distance to the wider one: the wider one's own
// rounding and that of the constants the formula holds as doubles.
constexpr double kSlopeRoundingMargin = 4 * DBL_EPSILON;

}  // namespace

Estimate DoubleRequestDerivative(std::string_view formula, Precision language, double x0, double h0,
                                 double tolerance, int depth, WorkControl* control) {
    const auto expr = compile(formula, language);
    Estimate ridders = DoubleDerivative(CompiledFormulaD{*expr}, x0, h0, tolerance, depth, control);
    if (ridders.cancelled) return ridders;
    const double slope = EvaluateWithSlope(*expr, x0).slope;
    if (std::isfinite(slope) && std::isfinite(ridders.value)) {
        const double distance = std::fabs(slope - ridders.value);
        double error = distance + ridders.error;
        if constexpr (kWiderLongDouble) {
            const long double wider = EvaluateWithSlopeExtended(*expr, x0).slope;
            const double rounding = static_cast<double>(std::fabs(slope - wider)) +
                                    kSlopeRoundingMargin * std::fabs(slope);
            // Ridders agrees: the rules of differentiation hold at x0, and
            // what is left is the rounding of the slope.
            if (distance <= ridders.error + rounding) error = rounding;
        }
        ridders.value = slope;
        ridders.error = error;
    }
    ridders.reached = ridders.error <= tolerance;
    return ridders;
}

Estimate DoubleRequestIntegral(std::string_view formula, Precision language, double a, double b,
                               double tolerance, int depth, WorkControl* control) {
    const auto expr = compile(formula, language);
    // Asked for no error at all, the rule goes as deep as depth and double
    // allow; then the error it reached is judged.
    Estimate e = DoubleIntegral(CompiledFormulaD{*expr}, a, b, 0.0, depth, control);
    e.reached = e.error <= tolerance;
    return e;
}

Estimate DoubleRequestSum(std::string_view formula, Precision language, double from, double to,
                          double step, WorkControl* control) {
    const auto expr = compile(formula, language);
    return DoubleSum(CompiledFormulaD{*expr}, from, to, step, control);
}

Estimate DoubleRequestProduct(std::string_view formula, Precision language, double from, double to,
                              double step, WorkControl* control) {
    const auto expr = compile(formula, language);
    return DoubleProduct(CompiledFormulaD{*expr}, from, to, step, control);
}

Estimate DoubleRequestRoot(std::string_view formula, Precision language, double a, double b,
                           double delta, WorkControl* control) {
    const auto expr = compile(formula, language);
    return DoubleRoot(CompiledFormulaD{*expr}, a, b, delta, control);
}

double SingleResultError(double single, const Estimate& inDouble) {
    if (!std::isfinite(inDouble.value) || !(inDouble.error >= 0)) return INFINITY;
    return std::fabs(single - inDouble.value) + inDouble.error;
}

double SingleRootError(std::string_view formula, double x, double a, double b,
                       WorkControl* control) {
    const auto expr = compile(formula, Precision::Single);
    const CompiledFormulaD f{*expr};
    if (f(x) == 0) return 0.0;
    const double lo0 = std::min(a, b);
    const double hi0 = std::max(a, b);
    const double first = (hi0 - lo0) * kFirstRootBracket + std::fabs(x) * DBL_EPSILON;
    for (double w = std::max(first, DBL_MIN);; w *= 4) {
        const double lo = std::max(lo0, x - w);
        const double hi = std::min(hi0, x + w);
        const double flo = f(lo);
        const double fhi = f(hi);
        if ((flo <= 0 && fhi >= 0) || (flo >= 0 && fhi <= 0)) {
            const Estimate root = DoubleRoot(f, lo, hi, 0.0, control);
            if (!root.reached) return INFINITY;
            return std::fabs(x - root.value) + root.error;
        }
        if (lo == lo0 && hi == hi0) return INFINITY;
        if (control && control->cancelRequested()) return INFINITY;
    }
}

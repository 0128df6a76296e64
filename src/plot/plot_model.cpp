// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plot_model.h"

#include <algorithm>

#include "expr/compiler.h"
#include "expr/diagnosis.h"
#include "expr/evaluator.h"

namespace {

constexpr double kFarthest = 1e30;
// Texts longer than this are compiled with the rest of the sampling, off the
// user-interface thread.
constexpr std::size_t kLongText = 4096;

double finiteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

}  // namespace

void KeepDrawable(double& low, double& high) {
    low = std::clamp(finiteOr(low, 0.0), -kFarthest, kFarthest);
    high = std::clamp(finiteOr(high, 0.0), -kFarthest, kFarthest);
    if (low > high) std::swap(low, high);
    // A single has 24 bits: narrower ranges would show a handful of points.
    const double narrowest = std::max(1e-30, std::max(std::abs(low), std::abs(high)) * 1e-6);
    if (high - low < narrowest) {
        const double middle = 0.5 * (low + high);
        low = middle - narrowest / 2;
        high = middle + narrowest / 2;
    }
}

void PageRange(const PlotSetup& setup, double& left, double& right) {
    const double from = finiteOr(setup.from, 0.0);
    const double to = finiteOr(setup.to, 0.0);
    if (setup.kind == PlotKind::Derivative) {
        const double half = std::max(2.0, std::abs(from) / 4);
        left = from - half;
        right = from + half;
    } else if (from == to) {
        left = from - 5;
        right = from + 5;
    } else {
        const double margin = 0.04 * std::abs(to - from);
        left = std::min(from, to) - margin;
        right = std::max(from, to) + margin;
    }
    KeepDrawable(left, right);
}

namespace {

template <class Value>
BasicPlotContent<Value> computeIn(const PlotJob& job, const WorkControl* control) {
    using Expression = BasicCompiledExpression<Value>;
    BasicPlotContent<Value> content;
    content.left = job.left;
    content.right = job.right;
    const FormulaDiagnosis diagnosis = DiagnoseFormula(job.setup.formula, Expression::kPrecision);
    if (!diagnosis.readable) {
        content.reason =
            diagnosis.fault == FormulaFault::Empty ? diagnosis.reason : DiagnosisLine(diagnosis);
        return content;
    }
    // A compiled formula of its own: the program-wide one belongs to the requests.
    auto expr = std::make_shared<Expression>();
    CompileExpression(*expr, job.setup.formula);
    content.expr = expr;

    PlotRequest request;
    request.left = job.left;
    request.right = job.right;
    request.width = std::max(1, job.width);
    request.height = std::max(1, job.height);
    request.fixedRange = !job.fitRange;
    request.bottom = job.bottom;
    request.top = job.top;
    request.includeZero = ReachesZero(job.setup.kind);
    content.sampling = SamplePlot(*expr, request, control);

    const PlotSetup& setup = job.setup;
    if (setup.kind == PlotKind::Derivative) {
        content.pointValue = EvaluateExpression(*expr, static_cast<Value>(setup.from));
    } else if (setup.kind == PlotKind::Progression) {
        const ProgressionPoints chosen =
            ChooseProgressionPoints(setup.from, setup.to, setup.step, kMostProgressionDots);
        std::vector<Value> xs(chosen.xs.begin(), chosen.xs.end());
        std::vector<Value> ys(xs.size());
        EvaluateExpressionBatch(*expr, xs.data(), ys.data(), static_cast<int>(xs.size()));
        content.dots.reserve(xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) content.dots.push_back({xs[i], ys[i]});
        content.dotTotal = chosen.total;
    }
    return content;
}

template <class Value>
int stepsOf(const std::string& formula) {
    // Large in double precision: not on the stack.
    const auto expr = std::make_unique<BasicCompiledExpression<Value>>();
    CompileExpression(*expr, formula);
    return expr->plan.stepCount;
}

}  // namespace

AnyPlotContent ComputePlot(const PlotJob& job, const WorkControl* control) {
    if (job.setup.precision == Precision::Double) return computeIn<double>(job, control);
    return computeIn<float>(job, control);
}

std::optional<double> EstimatePlotCost(const PlotJob& job) {
    if (job.setup.formula.size() > kLongText) return std::nullopt;
    const int steps = job.setup.precision == Precision::Double ? stepsOf<double>(job.setup.formula)
                                                               : stepsOf<float>(job.setup.formula);
    // The most the sampler evaluates; a smooth curve takes about a thirtieth.
    double points = std::max(20000.0, 64.0 * std::max(1, job.width));
    if (job.setup.kind == PlotKind::Progression) points += kMostProgressionDots;
    return points * (steps + 1);
}

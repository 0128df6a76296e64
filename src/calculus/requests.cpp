// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculus/requests.h"

#include <cmath>
#include <memory>

#include "calculus/derivative.h"
#include "calculus/integral.h"
#include "calculus/progression.h"
#include "calculus/root_solver.h"
#include "core/string_ids.h"
#include "expr/compiler.h"
#include "expr/diagnosis.h"

namespace {

// Each request compiles into a formula of its own, so a request running on a
// worker thread never shares it.
std::unique_ptr<CompiledExpression> compile(std::string_view formula) {
    auto expr = std::make_unique<CompiledExpression>();
    CompileExpression(*expr, formula);
    return expr;
}

bool cancelled(const WorkControl* control) { return control && control->cancelRequested(); }

// The failure of a request on formula, compiled into expr: a formula with no
// value says why.
RequestOutcome failure(int message, std::string_view formula, const CompiledExpression& expr) {
    RequestOutcome outcome = RequestOutcome::message(message);
    if (!expr.hasValue) outcome.diagnosis = DiagnosisLine(DiagnoseFormula(formula));
    return outcome;
}

// The end of a method that reports failure through a flag.
RequestOutcome judge(double result, int flag, int failureMessage, std::string_view formula,
                     const CompiledExpression& expr, const WorkControl* control) {
    if (cancelled(control)) return RequestOutcome::cancelled();
    if (IsFailedResult(result) || flag == 1) return failure(failureMessage, formula, expr);
    return RequestOutcome::result(result);
}

template <class Run>
RequestOutcome runProgression(std::string_view formula, bool stepSet, double stepValue,
                              int failureMessage, Run run) {
    if (stepSet && !(stepValue > 0)) return RequestOutcome::message(kMsgStepNotPositive);
    const auto expr = compile(formula);
    double result = 0.0;
    switch (run(CompiledFormula{*expr}, stepSet ? stepValue : 1.0, result)) {
        case ProgressionEnd::Cancelled:
            return RequestOutcome::cancelled();
        case ProgressionEnd::Stuck:
            return failure(failureMessage, formula, *expr);
        case ProgressionEnd::Done:
            break;
    }
    if (IsFailedResult(result)) return failure(failureMessage, formula, *expr);
    return RequestOutcome::result(result);
}

}  // namespace

bool IsFailedResult(double value) { return std::isnan(value) || std::isinf(value); }

RequestOutcome RunIntegralRequest(std::string_view formula, double lower, double upper,
                                  double precision, int depth, int& failed, WorkControl* control) {
    if (!(precision > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    const auto expr = compile(formula);
    failed = 0;
    const double r = Integral(*expr, lower, upper, precision, depth, failed, control);
    return judge(r, failed, kMsgIntegralFailed, formula, *expr, control);
}

RequestOutcome RunDerivativeRequest(std::string_view formula, double point, double initialStep,
                                    double precision, int depth, int& failed,
                                    WorkControl* control) {
    if (!(precision > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    const auto expr = compile(formula);
    failed = 0;
    const double r = Derivative(*expr, point, initialStep, precision, depth, failed, control);
    return judge(r, failed, kMsgDerivativeFailed, formula, *expr, control);
}

RequestOutcome RunSumRequest(std::string_view formula, double from, double to, bool stepSet,
                             double stepValue, WorkControl* control) {
    return runProgression(formula, stepSet, stepValue, kMsgSumFailed,
                          [&](const CompiledFormula& f, double step, double& result) {
                              return SumProgression(f, from, to, step, result, control);
                          });
}

RequestOutcome RunProductRequest(std::string_view formula, double from, double to, bool stepSet,
                                 double stepValue, WorkControl* control) {
    return runProgression(formula, stepSet, stepValue, kMsgProductFailed,
                          [&](const CompiledFormula& f, double step, double& result) {
                              return MultiplyProgression(f, from, to, step, result, control);
                          });
}

RequestOutcome RunSolveRequest(std::string_view formula, double left, double right, double delta,
                               double epsilon, int& noRoot, WorkControl* control) {
    if (!(delta > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    if (!(epsilon > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    const auto expr = compile(formula);
    noRoot = 0;
    const double r = FindRoot(*expr, left, right, delta, epsilon, noRoot, control);
    return judge(r, noRoot, kMsgNoRoot, formula, *expr, control);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculus/requests.h"

#include <cmath>
#include <memory>

#include "calculus/derivative.h"
#include "calculus/error_estimates.h"
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

// The failure of a request on formula: a formula with no value in the
// language of mode says why.
RequestOutcome failure(int message, std::string_view formula, Precision mode) {
    RequestOutcome outcome = RequestOutcome::message(message);
    const FormulaDiagnosis diagnosis = DiagnoseFormula(formula, mode);
    if (!diagnosis.readable) outcome.diagnosis = DiagnosisLine(diagnosis);
    return outcome;
}

// The end of a single-precision method that reports failure through a flag.
// A value gets the error estimateError gives it; work cancelled while that
// runs leaves the value, with no estimate, as the method gave it.
template <class EstimateError>
RequestOutcome judge(double result, int flag, int failureMessage, std::string_view formula,
                     const WorkControl* control, EstimateError estimateError) {
    if (cancelled(control)) return RequestOutcome::cancelled();
    if (IsFailedResult(result) || flag == 1)
        return failure(failureMessage, formula, Precision::Single);
    return RequestOutcome::result(result, estimateError());
}

// The end of a double-precision method: a value that reached what was asked
// is the result; flag, the page's, is set otherwise.
RequestOutcome judgeDouble(const Estimate& e, int& flag, int failureMessage,
                           std::string_view formula) {
    if (e.cancelled) return RequestOutcome::cancelled();
    if (IsFailedResult(e.value) || !e.reached) {
        flag = 1;
        return failure(failureMessage, formula, Precision::Double);
    }
    return RequestOutcome::result(e.value, e.error);
}

// Sum and product, in either precision: double runs runDouble in the double
// language; single runs run and estimates its error by runDouble in the
// single language.
using SingleProgression = ProgressionEnd (*)(const CompiledFormula&, double, double, double,
                                             double&, WorkControl*);
using DoubleProgression = Estimate (*)(std::string_view, Precision, double, double, double,
                                       WorkControl*);

RequestOutcome runProgression(std::string_view formula, double from, double to, bool stepSet,
                              double stepValue, int failureMessage, Precision mode,
                              WorkControl* control, SingleProgression run,
                              DoubleProgression runDouble) {
    if (stepSet && !(stepValue > 0)) return RequestOutcome::message(kMsgStepNotPositive);
    const double step = stepSet ? stepValue : 1.0;
    if (mode == Precision::Double) {
        int flag = 0;
        const Estimate e = runDouble(formula, Precision::Double, from, to, step, control);
        return judgeDouble(e, flag, failureMessage, formula);
    }
    const auto expr = compile(formula);
    double result = 0.0;
    switch (run(CompiledFormula{*expr}, from, to, step, result, control)) {
        case ProgressionEnd::Cancelled:
            return RequestOutcome::cancelled();
        case ProgressionEnd::Stuck:
            return failure(failureMessage, formula, mode);
        case ProgressionEnd::Done:
            break;
    }
    // A progression that ended stands even when its last batch used up the work.
    if (IsFailedResult(result)) return failure(failureMessage, formula, mode);
    return RequestOutcome::result(
        result,
        SingleResultError(result, runDouble(formula, Precision::Single, from, to, step, control)));
}

// Integral and derivative, in either precision. inDouble(tolerance, depth)
// runs the double method in the language of mode; single runs inSingle(expr,
// flag) and estimates its error by inDouble in the single language, asked
// for all the accuracy double has.
template <class InDouble, class InSingle>
RequestOutcome runToPrecision(std::string_view formula, double precision, int depth, int& failed,
                              int failureMessage, WorkControl* control, Precision mode,
                              InDouble inDouble, InSingle inSingle) {
    if (!(precision > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    failed = 0;
    if (mode == Precision::Double) {
        return judgeDouble(inDouble(precision, depth), failed, failureMessage, formula);
    }
    const auto expr = compile(formula);
    const double r = inSingle(*expr, failed);
    return judge(r, failed, failureMessage, formula, control,
                 [&] { return SingleResultError(r, inDouble(0.0, kEstimateDepth)); });
}

}  // namespace

bool IsFailedResult(double value) { return std::isnan(value) || std::isinf(value); }

RequestOutcome RunIntegralRequest(std::string_view formula, double lower, double upper,
                                  double precision, int depth, int& failed, WorkControl* control,
                                  Precision mode) {
    return runToPrecision(
        formula, precision, depth, failed, kMsgIntegralFailed, control, mode,
        [&](double tolerance, int levels) {
            return DoubleRequestIntegral(formula, mode, lower, upper, tolerance, levels, control);
        },
        [&](const CompiledExpression& expr, int& flag) {
            return Integral(expr, lower, upper, precision, depth, flag, control);
        });
}

RequestOutcome RunDerivativeRequest(std::string_view formula, double point, double initialStep,
                                    double precision, int depth, int& failed, WorkControl* control,
                                    Precision mode) {
    return runToPrecision(
        formula, precision, depth, failed, kMsgDerivativeFailed, control, mode,
        [&](double tolerance, int levels) {
            return DoubleRequestDerivative(formula, mode, point, initialStep, tolerance, levels,
                                           control);
        },
        [&](const CompiledExpression& expr, int& flag) {
            return Derivative(expr, point, initialStep, precision, depth, flag, control);
        });
}

RequestOutcome RunSumRequest(std::string_view formula, double from, double to, bool stepSet,
                             double stepValue, WorkControl* control, Precision mode) {
    return runProgression(formula, from, to, stepSet, stepValue, kMsgSumFailed, mode, control,
                          &SumProgression<CompiledFormula>, &DoubleRequestSum);
}

RequestOutcome RunProductRequest(std::string_view formula, double from, double to, bool stepSet,
                                 double stepValue, WorkControl* control, Precision mode) {
    return runProgression(formula, from, to, stepSet, stepValue, kMsgProductFailed, mode, control,
                          &MultiplyProgression<CompiledFormula>, &DoubleRequestProduct);
}

RequestOutcome RunSolveRequest(std::string_view formula, double left, double right, double delta,
                               double epsilon, int& noRoot, WorkControl* control, Precision mode) {
    if (!(delta > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    if (!(epsilon > 0)) return RequestOutcome::message(kMsgPrecisionNotPositive);
    noRoot = 0;
    if (mode == Precision::Double) {
        const Estimate e = DoubleRequestRoot(formula, mode, left, right, delta, control);
        return judgeDouble(e, noRoot, kMsgNoRoot, formula);
    }
    const auto expr = compile(formula);
    const double r = FindRoot(*expr, left, right, delta, epsilon, noRoot, control);
    return judge(r, noRoot, kMsgNoRoot, formula, control,
                 [&] { return SingleRootError(formula, r, left, right, control); });
}

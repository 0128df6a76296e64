// SPDX-License-Identifier: GPL-3.0-or-later
// The calculus requests with any formula and parameters, stopped by a point
// budget: each outcome is the one the same method gives when every point is
// evaluated alone by the literal reduction.
#include <climits>
#include <memory>
#include <string>

#include "calculus/derivative.h"
#include "calculus/integral.h"
#include "calculus/progression.h"
#include "calculus/requests.h"
#include "calculus/root_solver.h"
#include "core/string_ids.h"
#include "expr/compiler.h"
#include "fuzz_support.h"

namespace {

// Few enough that the literal reference stays quick; more than one batch.
constexpr unsigned long long kPointBudget = 3000;
// The literal reduction costs the square of the formula's length per point.
constexpr std::size_t kMaxFormulaLength = 48;

struct LiteralFormula {
    CompiledExpression* expr;

    float operator()(float x) const { return EvaluateExpressionLiteral(*expr, x); }
    void operator()(const float* xs, float* values, int count) const {
        for (int i = 0; i < count; ++i) values[i] = EvaluateExpressionLiteral(*expr, xs[i]);
    }
};

enum class Request { Integral, Derivative, Sum, Product, Solve };

// What a request gives when its method returned value with flag set or not.
RequestOutcome judge(const WorkControl& control, double value, bool failed, int message) {
    if (control.cancelRequested()) return RequestOutcome::cancelled();
    if (failed || IsFailedResult(value)) return RequestOutcome::message(message);
    return RequestOutcome::result(value);
}

RequestOutcome progressionOutcome(ProgressionEnd end, double value, int message) {
    if (end == ProgressionEnd::Cancelled) return RequestOutcome::cancelled();
    if (end == ProgressionEnd::Stuck || IsFailedResult(value)) {
        return RequestOutcome::message(message);
    }
    return RequestOutcome::result(value);
}

const char* kindName(RequestOutcome::Kind kind) {
    switch (kind) {
        case RequestOutcome::Kind::Value:
            return "value";
        case RequestOutcome::Kind::Message:
            return "message";
        case RequestOutcome::Kind::Cancelled:
            break;
    }
    return "cancelled";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto request = static_cast<Request>(input.byte() % 5);
    const double p1 = input.number();
    const double p2 = input.number();
    const double p3 = input.number();
    const double p4 = input.number();
    const std::uint8_t depthByte = input.byte();
    const int depth = depthByte == 255 ? INT_MAX : depthByte % 20 - 2;
    const bool stepSet = (depthByte & 1) != 0;
    const std::string formula(input.rest().substr(0, kMaxFormulaLength));

    WorkControl fastControl;
    fastControl.cancelAfterPoints(kPointBudget);
    WorkControl literalControl;
    literalControl.cancelAfterPoints(kPointBudget);
    const auto expr = std::make_unique<CompiledExpression>();
    CompileExpression(*expr, formula);
    const LiteralFormula literal{expr.get()};

    // The literal reference of a request whose method reports failure through
    // a flag; refused requests evaluate nothing.
    const auto flagged = [&](bool refused, int failure, auto method) {
        if (refused) return RequestOutcome::message(kMsgPrecisionNotPositive);
        int flag = 0;
        const double r = method(flag);
        return judge(literalControl, r, flag == 1, failure);
    };
    RequestOutcome fast;
    RequestOutcome reference;
    int flag = 0;
    switch (request) {
        case Request::Integral:
            fast = RunIntegralRequest(formula, p1, p2, p3, depth, flag, &fastControl);
            reference = flagged(!(p3 > 0), kMsgIntegralFailed, [&](int& failed) {
                return Integral(literal, p1, p2, p3, depth, failed, &literalControl);
            });
            break;
        case Request::Derivative:
            fast = RunDerivativeRequest(formula, p1, p2, p3, depth, flag, &fastControl);
            reference = flagged(!(p3 > 0), kMsgDerivativeFailed, [&](int& failed) {
                return Derivative(literal, p1, p2, p3, depth, failed, &literalControl);
            });
            break;
        case Request::Solve:
            fast = RunSolveRequest(formula, p1, p2, p3, p4, flag, &fastControl);
            reference = flagged(!(p3 > 0) || !(p4 > 0), kMsgNoRoot, [&](int& noRoot) {
                return FindRoot(literal, p1, p2, p3, p4, noRoot, &literalControl);
            });
            break;
        case Request::Sum:
        case Request::Product: {
            const bool sum = request == Request::Sum;
            fast = sum ? RunSumRequest(formula, p1, p2, stepSet, p3, &fastControl)
                       : RunProductRequest(formula, p1, p2, stepSet, p3, &fastControl);
            if (stepSet && !(p3 > 0)) {
                reference = RequestOutcome::message(kMsgStepNotPositive);
                break;
            }
            const double step = stepSet ? p3 : 1.0;
            double r = 0.0;
            const ProgressionEnd end =
                sum ? SumProgression(literal, p1, p2, step, r, &literalControl)
                    : MultiplyProgression(literal, p1, p2, step, r, &literalControl);
            reference = progressionOutcome(end, r, sum ? kMsgSumFailed : kMsgProductFailed);
            break;
        }
    }
    FUZZ_CHECK(fast.kind == reference.kind && fast.messageId == reference.messageId &&
                   doubleBits(fast.value) == doubleBits(reference.value),
               "request %d \"%s\" (%.17g, %.17g, %.17g, %.17g, depth %d): %s %.17g (%d), literal "
               "%s %.17g (%d)",
               static_cast<int>(request), printable(formula).c_str(), p1, p2, p3, p4, depth,
               kindName(fast.kind), fast.value, fast.messageId, kindName(reference.kind),
               reference.value, reference.messageId);
    return 0;
}

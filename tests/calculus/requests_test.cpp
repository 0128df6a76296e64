// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculus/requests.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

#include "core/number_text.h"
#include "core/string_ids.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string describe(const RequestOutcome& outcome) {
    switch (outcome.kind) {
        case RequestOutcome::Kind::Value:
            return formatDouble(outcome.value);
        case RequestOutcome::Kind::Message:
            return "message " + std::to_string(outcome.messageId);
        case RequestOutcome::Kind::Cancelled:
            break;
    }
    return "cancelled";
}

// What describe() says for a message.
std::string message(StringId id) { return "message " + std::to_string(id); }

TEST(Requests, IntegralChecksPrecisionFirstAndReportsFailure) {
    int failed = 1;  // left over from an earlier request: cleared before the method
    EXPECT_EQ(describe(RunIntegralRequest("x^2", 0, 1, 0.0001, 10, failed)), "0.333333333333333");
    EXPECT_EQ(failed, 0);
    for (double precision : {0.0, -1.0, kNaN}) {
        failed = 0;
        EXPECT_EQ(describe(RunIntegralRequest("garbage(", 0, 1, precision, 1, failed)),
                  message(kMsgPrecisionNotPositive));
    }
    EXPECT_EQ(describe(RunIntegralRequest("x", 0, 1, 0.0001, 1, failed)),
              message(kMsgIntegralFailed));
    EXPECT_EQ(describe(RunIntegralRequest("ln(x)", 0, 1, 0.0001, 10, failed)),
              message(kMsgIntegralFailed));
    EXPECT_EQ(describe(RunIntegralRequest("x*", 0, 1, 0.0001, 10, failed)),
              message(kMsgIntegralFailed));
    EXPECT_EQ(describe(RunIntegralRequest("1e38*x*10", 0, 1, 0.0001, 10, failed)),
              message(kMsgIntegralFailed));
}

TEST(Requests, DerivativeFailsWithItsOwnMessage) {
    int failed = 0;
    EXPECT_EQ(describe(RunDerivativeRequest("x^3", 3, 0.01, 0.0001, 1, failed)),
              message(kMsgDerivativeFailed));
    EXPECT_EQ(describe(RunDerivativeRequest("x", 1, 0, 0.0001, 10, failed)),
              message(kMsgDerivativeFailed));
    EXPECT_EQ(describe(RunDerivativeRequest("x", 1, 0.01, 0, 10, failed)),
              message(kMsgPrecisionNotPositive));
    EXPECT_EQ(describe(RunDerivativeRequest("x^2", 1, 0.01, 0.0001, 10, failed)),
              "2.00000405311584");
}

TEST(Requests, SumAndProductCheckTheStepOnlyWhenItsBoxIsSet) {
    EXPECT_EQ(describe(RunSumRequest("x", 1, 3, false, -5)), "6");  // box clear: step 1
    EXPECT_EQ(describe(RunProductRequest("x", 1, 3, false, 0)), "6");
    for (double step : {0.0, -0.1, kNaN}) {
        EXPECT_EQ(describe(RunSumRequest("x", 1, 3, true, step)), message(kMsgStepNotPositive));
        EXPECT_EQ(describe(RunProductRequest("x", 1, 3, true, step)), message(kMsgStepNotPositive));
    }
    EXPECT_EQ(describe(RunSumRequest("1/x", -1, 1, false, 0)), message(kMsgSumFailed));
    EXPECT_EQ(describe(RunProductRequest("1/x", -1, 1, false, 0)), message(kMsgProductFailed));
    EXPECT_EQ(describe(RunSumRequest("x", 1e20, 1e30, false, 0)), message(kMsgSumFailed));
    EXPECT_EQ(describe(RunProductRequest("x", 1e20, 1e30, false, 0)), message(kMsgProductFailed));
    EXPECT_EQ(describe(RunProductRequest("x", 1, 200, false, 0)),
              message(kMsgProductFailed));  // overflow
}

TEST(Requests, SolveChecksDeltaThenEpsilon) {
    int noRoot = 1;
    EXPECT_EQ(describe(RunSolveRequest("x*x-2", 0, 2, 0.01, 0.01, noRoot)), "1.41416307860829");
    EXPECT_EQ(noRoot, 0);
    EXPECT_EQ(describe(RunSolveRequest("x*x-2", 0, 2, 0, 0.01, noRoot)),
              message(kMsgPrecisionNotPositive));
    EXPECT_EQ(describe(RunSolveRequest("x*x-2", 0, 2, 0.01, -1, noRoot)),
              message(kMsgPrecisionNotPositive));
    EXPECT_EQ(describe(RunSolveRequest("x*x-2", 0, 1, 0.01, 0.01, noRoot)), message(kMsgNoRoot));
    EXPECT_EQ(describe(RunSolveRequest("1/x", -1, 1, 0.01, 0.01, noRoot)), message(kMsgNoRoot));
    EXPECT_EQ(describe(RunSolveRequest("x*x-2", 0, 2, 1e-300, 1e-300, noRoot)),
              message(kMsgNoRoot));
}

// Each row: a request, its exact value; the stated error must cover the true
// one in both precisions, and double must be as exact as it says.
struct ExactCase {
    const char* name;
    std::function<RequestOutcome(Precision)> run;
    double exact;
    double mostDoubleError;  // a double result further off is a fault
};

TEST(Requests, StatedErrorsCoverTheTrueOnesInBothPrecisions) {
    int flag = 0;
    const ExactCase cases[] = {
        {"x^2 integral",
         [&](Precision p) { return RunIntegralRequest("x^2", 0, 1, 1e-4, 10, flag, nullptr, p); },
         1.0 / 3, 1e-15},
        {"x^3 at 3",
         [&](Precision p) {
             return RunDerivativeRequest("x^3", 3, 0.01, 1e-4, 10, flag, nullptr, p);
         },
         27, 2 * 27 * DBL_EPSILON},
        {"root of 2",
         [&](Precision p) { return RunSolveRequest("x*x-2", 0, 2, 0.01, 0.01, flag, nullptr, p); },
         std::sqrt(2.0), 2 * DBL_EPSILON},
        {"sum of 1/x",
         [&](Precision p) { return RunSumRequest("1/x", 1, 1000, false, 0, nullptr, p); },
         7.485470860550345, 1e-15},
        {"product",
         [&](Precision p) { return RunProductRequest("1+1/x", 1, 50, false, 0, nullptr, p); }, 51,
         1e-13},
    };
    for (const ExactCase& c : cases) {
        for (Precision p : {Precision::Single, Precision::Double}) {
            const RequestOutcome outcome = c.run(p);
            ASSERT_EQ(outcome.kind, RequestOutcome::Kind::Value) << c.name;
            const double trueError = std::fabs(outcome.value - c.exact);
            EXPECT_LE(trueError, outcome.error) << c.name;
            if (p == Precision::Double) {
                EXPECT_LE(trueError, c.mostDoubleError) << c.name;
            }
        }
    }
    // Only double reaches a singular end or an infinite bound.
    EXPECT_NEAR(
        RunIntegralRequest("1/sqrt(x)", 0, 1, 1e-4, 10, flag, nullptr, Precision::Double).value, 2,
        1e-14);
    EXPECT_NEAR(
        RunIntegralRequest("e^(-x)", 0, INFINITY, 1e-4, 10, flag, nullptr, Precision::Double).value,
        1, 1e-14);
}

TEST(Requests, ACancelledRequestHasNeitherResultNorMessage) {
    WorkControl control;
    control.requestCancel();
    int flag = 0;
    EXPECT_EQ(describe(RunSumRequest("x", 0, 1e15, false, 0, &control)), "cancelled");
    EXPECT_EQ(describe(RunIntegralRequest("x", 0, 1, 1e-300, 40, flag, &control)), "cancelled");
    EXPECT_EQ(flag, 0);
}

}  // namespace

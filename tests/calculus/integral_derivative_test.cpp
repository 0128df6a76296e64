// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "calculus/derivative.h"
#include "calculus/integral.h"
#include "core/number_text.h"
#include "counting_formula.h"

namespace {

// A result as the tests name it; the sign of a NaN means nothing.
std::string shown(double r) { return std::isnan(r) ? "nan" : formatDouble(r); }

struct IntegralCase {
    const char* formula;
    double a, b, eps;
    int depth;
    const char* expected;  // "%.15g", or "failed"
    std::size_t evaluations;
};

class IntegralMethod : public ::testing::TestWithParam<IntegralCase> {};

TEST_P(IntegralMethod, StopsAtTheDocumentedLevel) {
    const IntegralCase& c = GetParam();
    CountingFormula f(c.formula);
    int failed = 0;
    const double r = Integral(f, c.a, c.b, c.eps, c.depth, failed);
    EXPECT_EQ(failed ? std::string("failed") : shown(r), c.expected);
    if (failed) {
        EXPECT_EQ(r, 0.0);
    }
    EXPECT_EQ(f.points.size(), c.evaluations);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegralMethod,
    ::testing::Values(IntegralCase{"x^2", 0, 1, 0.0001, 10, "0.333333333333333", 5},
                      IntegralCase{"sinx", 0, 3.14159265358979, 0.0001, 10, "1.9999999709479", 17},
                      IntegralCase{"1", 0, 2, 0.0001, 10, "2", 3},
                      IntegralCase{"x^2", 1, 1, 0.0001, 10, "0", 3},
                      IntegralCase{"x^2", 1, 0, 0.0001, 10, "-0.333333333333333", 5},
                      IntegralCase{"2^x", 0, 1, 0.0001, 2, "failed", 3},
                      IntegralCase{"2^x", 0, 1, 0.0001, 10, "1.44269504841463", 9},
                      IntegralCase{"2^x", 0, 1, 1e-12, 10, "failed", 513},
                      IntegralCase{"ln(x)", 0, 1, 0.0001, 10, "nan", 3},
                      IntegralCase{"x", 0, 1, 0.0001, 1, "failed", 0},
                      IntegralCase{"x", 0, 1, 0.0001, 0, "failed", 0},
                      IntegralCase{"x", 0, 1, 0.0001, -5, "failed", 0}));

TEST(IntegralMethod, EvaluatesTheEndsThenEachLevelsMidpointsInOrder) {
    CountingFormula f("x^2");
    int failed = 0;
    Integral(f, 0.0, 1.0, 0.0001, 10, failed);
    const std::vector<float> expected = {1.0f, 0.0f, 0.5f, 0.25f, 0.75f};
    EXPECT_EQ(f.points, expected);
}

TEST(IntegralMethod, AHugeDepthCostsNothingUntilItIsReached) {
    CountingFormula f("x^2");
    int failed = 0;
    EXPECT_EQ(formatDouble(Integral(f, 0.0, 1.0, 0.0001, 2147483647, failed)), "0.333333333333333");
    EXPECT_EQ(failed, 0);
}

TEST(IntegralMethod, CancellationEndsWithoutFailureAndProgressNeverChangesTheResult) {
    CountingFormula f("sinx*x");
    int failed = 0;
    WorkControl watching;
    const double plain = Integral(f, 0.0, 3.0, 1e-15, 14, failed);
    const int plainFailed = failed;
    failed = 0;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Integral(f, 0.0, 3.0, 1e-15, 14, failed, &watching)),
              std::bit_cast<std::uint64_t>(plain));
    EXPECT_EQ(failed, plainFailed);
    EXPECT_GT(watching.points(), 0u);

    WorkControl cancelled;
    cancelled.requestCancel();
    failed = 0;
    f.points.clear();
    EXPECT_EQ(Integral(f, 0.0, 3.0, 1e-15, 60, failed, &cancelled), 0.0);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(f.points.size(), 3u);  // stopped after the first batch
}

TEST(IntegralMethod, ItsFractionIsOfTheMostEvaluationsAndNeverGoesBack) {
    // Stopped part way into levels 13 to 16 of 16: 2^15 + 1 evaluations at most.
    double previous = 0.0;
    for (const unsigned long long budget : {3000, 4000, 5000, 9000, 30000}) {
        CountingFormula f("sinx*x");
        WorkControl control;
        control.cancelAfterPoints(budget);
        int failed = 0;
        Integral(f, 0.0, 3.0, 1e-300, 16, failed, &control);
        EXPECT_EQ(control.fraction(), static_cast<double>(f.points.size()) / 32769) << budget;
        EXPECT_GT(control.fraction(), previous) << budget;
        previous = control.fraction();
    }
}

struct DerivativeCase {
    const char* formula;
    double x0, h0;
    int depth;
    const char* expected;
    std::size_t evaluations;
};

class DerivativeMethod : public ::testing::TestWithParam<DerivativeCase> {};

TEST_P(DerivativeMethod, StopsAtTheDocumentedEstimate) {
    const DerivativeCase& c = GetParam();
    CountingFormula f(c.formula);
    int failed = 0;
    const double r = Derivative(f, c.x0, c.h0, 0.0001, c.depth, failed);
    EXPECT_EQ(failed ? std::string("failed") : shown(r), c.expected);
    EXPECT_EQ(f.points.size(), c.evaluations);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DerivativeMethod,
    ::testing::Values(DerivativeCase{"x^2", 1, 0.01, 10, "2.00000405311584", 4},
                      DerivativeCase{"sinx", 0, 0.01, 10, "0.999995786696672", 4},
                      DerivativeCase{"x^2", 0, 0.01, 10, "0", 2},
                      DerivativeCase{"abs(x)", 0, 0.01, 10, "0", 2},
                      DerivativeCase{"x^2", 3, 0.01, 1, "failed", 2},
                      DerivativeCase{"x^3", 1, 0.5, 10, "3.00000762939453", 16},
                      DerivativeCase{"x", 1, 0, 10, "nan", 2},
                      DerivativeCase{"x", 1, 0.01, 0, "failed", 0},
                      DerivativeCase{"x", 1, -0.01, 10, "0.999999046325684", 4}));

TEST(DerivativeMethod, EvaluatesAboveThenBelow) {
    CountingFormula f("x^2");
    int failed = 0;
    Derivative(f, 1.0, 0.5, 0.0001, 10, failed);
    ASSERT_GE(f.points.size(), 2u);
    EXPECT_EQ(f.points[0], 1.5f);
    EXPECT_EQ(f.points[1], 0.5f);
}

TEST(DerivativeMethod, AHugeDepthEndsOnceTheStepVanishes) {
    CountingFormula f("x^3");
    int failed = 0;
    Derivative(f, 1.0, 0.5, 1e-300, 2147483647, failed);
    EXPECT_EQ(failed, 0);
    EXPECT_LT(f.points.size(), 2500u);
}

}  // namespace

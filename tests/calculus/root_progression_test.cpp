// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "calculus/progression.h"
#include "calculus/root_solver.h"
#include "core/number_text.h"
#include "counting_formula.h"

namespace {

// A result as the tests name it; the sign of a NaN means nothing.
std::string shown(double r) { return std::isnan(r) ? "nan" : formatDouble(r); }

struct RootCase {
    const char* formula;
    double a, b, delta, eps;
    const char* expected;  // "%.15g", or "no root"
    std::size_t evaluations;
};

class RootSolver : public ::testing::TestWithParam<RootCase> {};

TEST_P(RootSolver, FindsTheDocumentedRoot) {
    const RootCase& c = GetParam();
    CountingFormula f(c.formula);
    int noRoot = 0;
    const double r = FindRoot(f, c.a, c.b, c.delta, c.eps, noRoot);
    EXPECT_EQ(noRoot ? std::string("no root") : shown(r), c.expected);
    if (noRoot) {
        EXPECT_EQ(r, 0.0);
    }
    EXPECT_EQ(f.points.size(), c.evaluations);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RootSolver,
    ::testing::Values(
        RootCase{"x*x-2", 0, 2, 0.01, 0.01, "1.41416307860829", 2 + 5},
        RootCase{"x*x-2", 2, 0, 0.01, 0.01, "1.41176469419517", 2 + 4},  // a never moves
        RootCase{"x*x-2", 0, 2, 1e-6, 1e-6, "1.41421354418056", 2 + 7},
        RootCase{"x", -1, 1, 0.01, 0.01, "0", 2 + 1},
        RootCase{"x*x-2", 0, 1, 0.01, 0.01, "no root", 2},
        RootCase{"x*x+1", 3, 3, 0.01, 0.01, "no root", 2},
        RootCase{"x*x-2", 1.4, 1.42, 0.001, 0.1, "1.41", 2 + 3},  // bracket already narrow
        RootCase{"x*x", 0, 0, 0.01, 0.01, "0", 2},                // F(a) = 0: a, whatever b
        RootCase{"x-0.5", 0.5, 0.5, 0.01, 0.01, "0.5", 2},
        RootCase{"x-0.25", 0, 2, 0.25, 0.01, "0.25", 2 + 1},  // |F(a)| = delta is not enough
        RootCase{"1/x", -1, 1, 0.01, 0.01, "nan", 2 + 2},
        // F is NaN at an end: no root, rather than that end or a midpoint.
        RootCase{"ln(x)", -1, 2, 0.01, 0.01, "no root", 2},
        RootCase{"ln(x)", 2, -1, 0.01, 10, "no root", 2},
        // A sign change through a pole or a jump is no root; a steep one is.
        RootCase{"tgx", 1, 2, 0.01, 0.01, "no root", 19},
        RootCase{"ctgx", 3, 4, 0.01, 0.01, "no root", 19},
        RootCase{"1/x", -2, 1, 0.01, 0.01, "no root", 26},
        RootCase{"abs(x-0.3)/(x-0.3)", 0, 1, 0.01, 0.01, "no root", 14},
        RootCase{"1000*x-1", 0, 1, 0.01, 0.01, "0.001", 3},
        RootCase{"x^3-0.001", 0, 1, 1e-9, 0.01, "0.0975267902101526", 14}));

TEST(RootSolver, GivesUpAfterTheBoundWhenTheBracketCannotClose) {
    CountingFormula f("x*x-2");
    int noRoot = 0;
    const double r = FindRoot(f, 0.0, 2.0, 1e-300, 1e-300, noRoot);
    EXPECT_TRUE(std::isnan(r));
    EXPECT_EQ(noRoot, 0);
    EXPECT_EQ(f.points.size(), static_cast<std::size_t>(kMaxRootPasses) + 2);
}

TEST(Progression, SumsAndMultipliesOverTheInclusiveRange) {
    CountingFormula f("x");
    double r = 0.0;
    ASSERT_EQ(SumProgression(f, 1, 100, 1, r), ProgressionEnd::Done);
    EXPECT_EQ(r, 5050.0);
    ASSERT_EQ(MultiplyProgression(f, 1, 10, 1, r), ProgressionEnd::Done);
    EXPECT_EQ(r, 3628800.0);
    ASSERT_EQ(SumProgression(f, 2, 2, 1, r), ProgressionEnd::Done);
    EXPECT_EQ(r, 2.0);
}

TEST(Progression, AccumulatesXAndComparesExactly) {
    CountingFormula f("x");
    double r = 0.0;
    SumProgression(f, 0, 1, 0.1, r);
    EXPECT_EQ(f.points.size(), 11u);  // the last x is 0.9999999999999999
    EXPECT_EQ(formatDouble(r), "5.50000002235174");
    f.points.clear();
    SumProgression(f, 0, 0.3, 0.1, r);
    EXPECT_EQ(f.points.size(), 3u);  // 0.30000000000000004 is past the bound
    EXPECT_EQ(formatDouble(r), "0.300000004470348");
}

TEST(Progression, AnEmptyRangeTakesNoPoint) {
    CountingFormula f("x");
    double r = 7.0;
    EXPECT_EQ(SumProgression(f, 5, 1, 1, r), ProgressionEnd::Done);
    EXPECT_EQ(r, 0.0);
    EXPECT_EQ(MultiplyProgression(f, 5, 1, 1, r), ProgressionEnd::Done);
    EXPECT_EQ(r, 1.0);
    EXPECT_TRUE(f.points.empty());
}

TEST(Progression, AStepThatCannotMoveXEndsAtOnce) {
    CountingFormula f("x");
    double r = 0.0;
    EXPECT_EQ(SumProgression(f, 1e20, 1e30, 1, r), ProgressionEnd::Stuck);
    EXPECT_TRUE(f.points.empty());
}

TEST(Progression, BatchesKeepTheOrderOfTheTerms) {
    // Terms of very different sizes: the sum depends on the order of addition.
    CountingFormula f("(x-1500)^5");
    double batched = 0.0;
    SumProgression(f, 0, 3000, 0.7, batched);
    double oneByOne = 0.0;
    for (double x = 0; x <= 3000; x += 0.7) oneByOne = f(static_cast<float>(x)) + oneByOne;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(batched), std::bit_cast<std::uint64_t>(oneByOne));
}

TEST(Progression, CancellationStopsBetweenBatches) {
    CountingFormula f("x");
    WorkControl control;
    control.requestCancel();
    double r = 0.0;
    EXPECT_EQ(SumProgression(f, 0, 1e12, 1, r, &control), ProgressionEnd::Cancelled);
    EXPECT_EQ(f.points.size(), static_cast<std::size_t>(kPointsPerBatch));
    EXPECT_EQ(control.points(), static_cast<unsigned long long>(kPointsPerBatch));
}

TEST(Progression, APointBudgetCancelsAtTheFirstBatchThatReachesIt) {
    CountingFormula f("x");
    WorkControl control;
    control.cancelAfterPoints(2 * kPointsPerBatch + 1);
    double r = 0.0;
    EXPECT_EQ(SumProgression(f, 1, 1e12, 1, r, &control), ProgressionEnd::Cancelled);
    EXPECT_EQ(f.points.size(), static_cast<std::size_t>(3 * kPointsPerBatch));
    // The fraction is of the points the progression holds.
    EXPECT_EQ(control.fraction(), 3.0 * kPointsPerBatch / 1e12);
}

}  // namespace

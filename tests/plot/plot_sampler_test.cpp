// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/plot_sampler.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "expr/compiler.h"
#include "expr/evaluator.h"
#include "plot/plot_model.h"

namespace {

struct Sampled {
    std::unique_ptr<CompiledExpression> expr = std::make_unique<CompiledExpression>();
    PlotSampling sampling;
};

Sampled sample(const char* formula, double left, double right) {
    Sampled s;
    CompileExpression(*s.expr, formula);
    PlotRequest request;
    request.left = left;
    request.right = right;
    s.sampling = SamplePlot(*s.expr, request);
    return s;
}

class EveryPoint : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryPoint, IsTheEvaluatorsValueInIncreasingX) {
    const Sampled s = sample(GetParam(), -4, 4);
    ASSERT_GT(s.sampling.points.size(), 400u);
    float last = -INFINITY;
    for (const PlotPoint& p : s.sampling.points) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(p.y),
                  std::bit_cast<std::uint32_t>(EvaluateExpression(*s.expr, p.x)))
            << p.x;
        EXPECT_GT(p.x, last);
        last = p.x;
    }
}

INSTANTIATE_TEST_SUITE_P(Formulas, EveryPoint,
                         ::testing::Values("sin(3*x)/x", "1/x", "ln(x)", "tgx", "x#3"));

TEST(PlotSampler, OneOverXSplitsAtZeroAndItsRangeLeavesTheHugeValuesOut) {
    const PlotSampling s = sample("1/x", -1, 1).sampling;
    ASSERT_EQ(s.pieces.size(), 2u);
    EXPECT_LT(s.points[s.pieces[0].end - 1].x, 0.0f);
    EXPECT_GT(s.points[s.pieces[1].begin].x, 0.0f);
    EXPECT_GT(s.top, 10.0);
    EXPECT_LT(s.top, 100.0);
}

// tg never meets its pole in single precision: the values only jump.
TEST(PlotSampler, NoLineCrossesThePoleOfTg) {
    const PlotSampling s = sample("tgx", 0, 3).sampling;
    ASSERT_EQ(s.pieces.size(), 2u);
    ASSERT_EQ(s.jumps.size(), 1u);
    EXPECT_EQ(std::nextafter(s.jumps[0].from, 2.0f), s.jumps[0].to);
    EXPECT_NEAR(s.jumps[0].from, 1.5707963, 1e-6);
    EXPECT_TRUE(s.gaps.empty());
}

TEST(PlotSampler, LnHasAGapUpToZero) {
    const PlotSampling s = sample("ln(x)", -1, 1).sampling;
    ASSERT_EQ(s.gaps.size(), 1u);
    EXPECT_EQ(s.gaps[0].from, -1.0f);
    EXPECT_EQ(s.gaps[0].to, 0.0f);
    ASSERT_EQ(s.pieces.size(), 1u);
    // The curve runs down towards the gap's edge, not to a stop a pixel short of it.
    EXPECT_LT(s.points[s.pieces[0].begin].y, -80.0f);
}

TEST(PlotSampler, FindsTheSignChangeOfXSquaredMinusTwo) {
    const Sampled s = sample("x*x-2", 0, 2);
    ASSERT_EQ(s.sampling.signChanges.size(), 1u);
    const PlotSpan change = s.sampling.signChanges[0];
    EXPECT_LT(EvaluateExpression(*s.expr, change.from), 0.0f);
    EXPECT_GT(EvaluateExpression(*s.expr, change.to), 0.0f);
    EXPECT_LT(change.to - change.from, 2.0f / 800 / 8);
}

TEST(PlotSamples, ReadBackAsTheSameSingles) {
    const std::vector<PlotPoint> points = {
        {0.1f, NAN}, {-3e-39f, INFINITY}, {16777217.0f, -INFINITY}};
    EXPECT_EQ(FormatPlotSamples(points), "0.1\tnan\n-3e-39\tinf\n16777216\t-inf\n");
    EXPECT_EQ(std::strtof(FormatSingleExactly(0.1f + 1e-8f).c_str(), nullptr), 0.1f + 1e-8f);
}

// sqrt is read only in double precision, and sampled at doubles in doubles.
TEST(PlotModel, DoublePrecisionSamplesTheDoubleLanguageInDoubles) {
    PlotJob job;
    job.setup.formula = "sqrt(x)";
    job.left = 0;
    job.right = 3;
    EXPECT_FALSE(std::get<PlotContent>(ComputePlot(job)).expr);
    job.setup.precision = Precision::Double;
    const PlotContentD content = std::get<PlotContentD>(ComputePlot(job));
    ASSERT_TRUE(content.expr);
    ASSERT_GT(content.sampling.points.size(), 400u);
    int notSingles = 0;
    for (const PlotPointD& p : content.sampling.points) {
        EXPECT_EQ(p.y, std::sqrt(p.x)) << p.x;
        notSingles += static_cast<double>(static_cast<float>(p.x)) != p.x;
    }
    EXPECT_GT(notSingles, 0);
}

TEST(PlotSamples, ReadBackAsTheSameDoubles) {
    // The first x is "0.1" at 15 digits.
    const std::vector<PlotPointD> points = {{std::nextafter(0.1, 1.0), 2.0 / 3},
                                            {-5e-324, -INFINITY}};
    const std::string text = FormatPlotSamples(points);
    EXPECT_EQ(text, "0.10000000000000002\t0.66666666666666663\n-4.9406564584124654e-324\t-inf\n");
    char* at = const_cast<char*>(text.c_str());
    for (const PlotPointD& p : points) {
        EXPECT_EQ(std::strtod(at, &at), p.x);
        EXPECT_EQ(std::strtod(at, &at), p.y);
    }
}

TEST(ProgressionPoints, AreThePagesUpToTheLimitAndEvenBeyond) {
    // Each point from the last by one addition, as the sum adds them.
    const ProgressionPoints tenths = ChooseProgressionPoints(0, 1, 0.1, 10000);
    ASSERT_EQ(tenths.xs.size(), 11u);
    EXPECT_EQ(tenths.xs.back(), 0.9999999999999999);
    const ProgressionPoints many = ChooseProgressionPoints(1, 1e6, 1, 10000);
    EXPECT_EQ(many.total, 1e6);
    ASSERT_EQ(many.xs.size(), 10000u);
    EXPECT_EQ(many.xs.front(), 1.0);
    EXPECT_EQ(many.xs.back(), 1e6);
}

}  // namespace

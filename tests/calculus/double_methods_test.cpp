// SPDX-License-Identifier: GPL-3.0-or-later
// The double-precision methods against known values: each stated error must
// cover the true one, and stay small enough to mean something.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "calculus/double_derivative.h"
#include "calculus/double_integral.h"
#include "calculus/double_progression.h"
#include "calculus/double_root.h"

namespace {

enum class Method { Integral, Root, Derivative, Sum, Product };

struct DoubleCase {
    Method method;
    const char* name;
    double (*f)(double);
    // Integral: a, b, tolerance. Root: a, b, delta. Derivative: x0, h0,
    // tolerance. Sum, product: from, to, step.
    double p, q, r;
    int depth;
    bool reached;
    double truth;
    double accuracy;  // |value - truth| at most; NaN: no value wanted
    double statedAtMost;
};

void PrintTo(const DoubleCase& c, std::ostream* out) { *out << c.name; }

Estimate run(const DoubleCase& c) {
    switch (c.method) {
        case Method::Integral:
            return DoubleIntegral(c.f, c.p, c.q, c.r, c.depth);
        case Method::Root:
            return DoubleRoot(c.f, c.p, c.q, c.r);
        case Method::Derivative:
            return DoubleDerivative(c.f, c.p, c.q, c.r, c.depth);
        case Method::Sum:
            return DoubleSum(c.f, c.p, c.q, c.r);
        case Method::Product:
            return DoubleProduct(c.f, c.p, c.q, c.r);
    }
    return {};
}

class DoubleMethods : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleMethods, StateAnErrorThatCoversTheTrueOne) {
    const DoubleCase& c = GetParam();
    const Estimate e = run(c);
    EXPECT_EQ(e.reached, c.reached);
    EXPECT_FALSE(e.cancelled);
    if (std::isnan(c.truth)) return;  // no root
    const double trueError = std::fabs(e.value - c.truth);
    EXPECT_LE(trueError, e.error) << e.value;
    if (!std::isnan(c.accuracy)) {
        EXPECT_LE(trueError, c.accuracy) << e.value;
        EXPECT_LE(e.error, c.statedAtMost);
    }
}

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = NAN;
double root2 = std::numbers::sqrt2;

INSTANTIATE_TEST_SUITE_P(
    Table, DoubleMethods,
    ::testing::Values(
        DoubleCase{Method::Integral, "x^2", [](double x) { return x * x; }, 0, 1, 1e-12, 10, true,
                   1.0 / 3, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "sin", [](double x) { return std::sin(x); }, 0, kPi, 1e-12, 10,
                   true, 2, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "sin, b < a", [](double x) { return std::sin(x); }, kPi, 0,
                   1e-12, 10, true, -2, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "a == b", [](double x) { return 1 / x; }, 0, 0, 0, 10, true, 0,
                   0, 0},
        DoubleCase{Method::Integral, "1/sqrt, singular end",
                   [](double x) { return 1 / std::sqrt(x); }, 0, 1, 1e-12, 10, true, 2, 1e-15,
                   1e-12},
        // No double comes closer to 1 than 2.2e-16, and the sliver left holds 3e-8.
        DoubleCase{Method::Integral, "1/sqrt(x-1), singular end at 1",
                   [](double x) { return 1 / std::sqrt(x - 1); }, 1, 2, 1e-6, 10, true, 2, 5e-8,
                   1e-6},
        DoubleCase{Method::Integral, "ln, singular end", [](double x) { return std::log(x); }, 0, 1,
                   1e-12, 10, true, -1, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "e^-x from 0", [](double x) { return std::exp(-x); }, 0,
                   INFINITY, 1e-12, 10, true, 1, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "e^-x from 1", [](double x) { return std::exp(-x); }, 1,
                   INFINITY, 1e-12, 10, true, 1 / std::numbers::e, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "e^x to 0", [](double x) { return std::exp(x); }, -INFINITY, 0,
                   1e-12, 10, true, 1, 1e-15, 1e-12},
        DoubleCase{Method::Integral, "e^-x^2", [](double x) { return std::exp(-x * x); }, -INFINITY,
                   INFINITY, 1e-12, 10, true, std::sqrt(kPi), 1e-15, 1e-12},
        DoubleCase{Method::Integral, "sin(1/(x+0.001)), shallow",
                   [](double x) { return std::sin(1 / (x + 0.001)); }, 0, 1, 1e-6, 8, false,
                   0.5049076987510952, kNaN, 0},
        DoubleCase{Method::Integral, "sin(1/(x+0.001)), deep",
                   [](double x) { return std::sin(1 / (x + 0.001)); }, 0, 1, 1e-6, 12, true,
                   0.5049076987510952, 1e-14, 1e-6},
        // Boost 1.74 states the difference of this one as if on [-1, 1]: 0.16.
        DoubleCase{Method::Integral, "sin over a wide interval",
                   [](double x) { return std::sin(x); }, 0, 2000, 1e-6, 10, false,
                   1 - std::cos(2000.0), kNaN, 0},
        // Boost's test, relative to the norm, needs a second, finer run.
        DoubleCase{Method::Integral, "1000 sqrt x, a large norm",
                   [](double x) { return 1000 * std::sqrt(x); }, 0, 1, 1e-10, 10, true, 2000.0 / 3,
                   1e-12, 1e-10},
        DoubleCase{Method::Integral, "1/x through its pole", [](double x) { return 1 / x; }, -1, 1,
                   1, 10, false, kNaN, kNaN, 0},
        DoubleCase{Method::Root, "x^2-2", [](double x) { return x * x - 2; }, 0, 2, 1e-300, 0, true,
                   root2, 2.3e-16, 1e-15},
        DoubleCase{Method::Root, "cos x - x", [](double x) { return std::cos(x) - x; }, 0, 1,
                   1e-300, 0, true, 0.7390851332151607, 1.2e-16, 1e-15},
        DoubleCase{Method::Root, "x^3, multiple at 0", [](double x) { return x * x * x; }, -1, 2,
                   1e-300, 0, true, 0, 0, 1e-300},
        DoubleCase{Method::Root, "x, an end within delta", [](double x) { return x; }, 0, 1, 0.01,
                   0, true, 0, 0, 1e-300},
        DoubleCase{Method::Root, "tan, a pole", [](double x) { return std::tan(x); }, 1, 2, 1e-300,
                   0, false, kNaN, kNaN, 0},
        DoubleCase{Method::Root, "1/x, a pole", [](double x) { return 1 / x; }, -2, 1, 1e-300, 0,
                   false, kNaN, kNaN, 0},
        DoubleCase{Method::Root, "a jump", [](double x) { return std::fabs(x - 0.3) / (x - 0.3); },
                   0, 1, 1e-300, 0, false, kNaN, kNaN, 0},
        DoubleCase{Method::Root, "x^2+1, one sign", [](double x) { return x * x + 1; }, -1, 1,
                   1e-300, 0, false, kNaN, kNaN, 0},
        DoubleCase{Method::Derivative, "x^3 at 3", [](double x) { return x * x * x; }, 3, 0.01,
                   1e-10, 10, true, 27, 5e-13, 1e-10},
        DoubleCase{Method::Derivative, "sin at 1", [](double x) { return std::sin(x); }, 1, 0.01,
                   1e-10, 10, true, std::cos(1.0), 1e-13, 1e-11},
        DoubleCase{Method::Derivative, "sqrt, steps out of its domain",
                   [](double x) { return std::sqrt(x); }, 1e-3, 0.01, 1e-10, 10, false,
                   0.5 / std::sqrt(1e-3), kNaN, 0},
        DoubleCase{Method::Derivative, "one row, no error known", [](double x) { return x * x; }, 1,
                   0.01, 1, 1, false, 2, kNaN, 0},
        DoubleCase{Method::Sum, "x", [](double x) { return x; }, 1, 100, 1, 0, true, 5050, 0,
                   1e-11},
        // x accumulates step by step: 0.6 is passed at the 7th term, not at the
        // 6th; 2 at the 20th, not at the 21st.
        DoubleCase{Method::Sum, "1, 0 to 0.6 by 0.1", [](double) { return 1.0; }, 0, 0.6, 0.1, 0,
                   true, 7, 0, 1e-13},
        DoubleCase{Method::Sum, "1, 0 to 2 by 0.1", [](double) { return 1.0; }, 0, 2, 0.1, 0, true,
                   20, 0, 1e-13},
        DoubleCase{Method::Sum, "sin, compensated", [](double x) { return std::sin(x); }, 0, 1e4, 1,
                   0, true, 1.6338910217924623, 2.3e-16, 1e-11},
        DoubleCase{Method::Sum, "empty", [](double x) { return x; }, 5, 1, 1, 0, true, 0, 0, 0},
        DoubleCase{Method::Sum, "stuck", [](double x) { return x; }, 1e20, 1e30, 1, 0, false, kNaN,
                   kNaN, 0},
        DoubleCase{Method::Product, "x to 100, compensated", [](double x) { return x; }, 1, 100, 1,
                   0, true, 9.332621544394415e157, 1e142, 1e146},
        DoubleCase{Method::Product, "1+1/x, telescoping", [](double x) { return 1 + 1 / x; }, 1,
                   1000, 1, 0, true, 1001, 3e-12, 1e-9},
        DoubleCase{Method::Product, "empty", [](double x) { return x; }, 5, 1, 1, 0, true, 1, 0, 0},
        // 1e-200 squared underflows to 0: the true 1 is beyond any bound.
        DoubleCase{Method::Product, "through underflow",
                   [](double x) { return x < 2.5 ? 1e-200 : 1e200; }, 1, 4, 1, 0, true, 1, kNaN,
                   0}));

// A term's lane is the parity of its place, however the batches split: 3 + 3
// terms land as 6 do, so a sum is the same on every pool.
TEST(DoubleMethods, SumLanesFollowThePlaceOfATerm) {
    const double values[] = {1, 2, 3, 4, 5, 6};
    ProgressionWalk ended{0, 0, 0, false};
    int gathered = 0;
    CompensatedSum whole;
    whole = addAndGather(whole, values, 6, ended, nullptr, gathered);
    CompensatedSum split;
    split = addAndGather(split, values, 3, ended, nullptr, gathered);
    split = addAndGather(split, values + 3, 3, ended, nullptr, gathered);
    EXPECT_EQ(split.sum[0], 9);
    EXPECT_EQ(split.sum[1], whole.sum[1]);
}

TEST(DoubleMethods, EndOnCancellation) {
    WorkControl control;
    control.requestCancel();
    const auto sine = [](double x) { return std::sin(x); };
    EXPECT_TRUE(DoubleIntegral(sine, 0, 1, 1e-12, 10, &control).cancelled);
    EXPECT_TRUE(DoubleRoot(sine, -1, 2, 0, &control).cancelled);
    EXPECT_TRUE(DoubleDerivative(sine, 1, 0.1, 0, 10, &control).cancelled);
    EXPECT_TRUE(DoubleProduct(sine, 1, 1e9, 1, &control).cancelled);
    EXPECT_TRUE(DoubleSum(sine, 1, 1e9, 1, &control).cancelled);
    // Between batches, as in single precision.
    EXPECT_EQ(control.points(), static_cast<unsigned long long>(kPointsPerBatch));
}

}  // namespace

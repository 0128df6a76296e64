// SPDX-License-Identifier: GPL-3.0-or-later
// The language and the values of double precision.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "core/number_text.h"
#include "expr/compiler.h"
#include "expr/evaluator.h"
#include "expr/number_field.h"

namespace {

struct DoubleCase {
    const char* formula;
    double x;
    const char* expected;  // "%.15g"
};

class DoublePrecision : public ::testing::TestWithParam<DoubleCase> {};

// The literal reduction, the replay and the batch all give the value.
TEST_P(DoublePrecision, GivesTheValue) {
    const DoubleCase& c = GetParam();
    CompiledExpressionD expr;
    CompileExpression(expr, c.formula);
    const double replay = EvaluateExpression(expr, c.x);
    double batch = 0.0;
    EvaluateExpressionBatch(expr, &c.x, &batch, 1);
    EXPECT_EQ(formatDouble(replay), c.expected);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(EvaluateExpressionLiteral(expr, c.x)),
              std::bit_cast<std::uint64_t>(replay));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(batch), std::bit_cast<std::uint64_t>(replay));
}

INSTANTIATE_TEST_SUITE_P(
    Names, DoublePrecision,
    ::testing::Values(
        DoubleCase{"pi", 0, "3.14159265358979"}, DoubleCase{"2*pi", 0, "6.28318530717959"},
        DoubleCase{"e", 0, "2.71828182845905"}, DoubleCase{"e^x", 2, "7.38905609893065"},
        DoubleCase{"exp(x)", 1, "2.71828182845905"}, DoubleCase{"expx", 0, "1"},
        DoubleCase{"sqrt(1-x^2)", 0.6, "0.8"}, DoubleCase{"sqrtx", 2, "1.4142135623731"},
        DoubleCase{"sinx", 1, "0.841470984807897"}, DoubleCase{"sinhx", 1, "1.1752011936438"},
        DoubleCase{"cosh(x)", 1, "1.54308063481524"}, DoubleCase{"tanhx", 1, "0.761594155955765"},
        DoubleCase{"tan(x)", 1, "1.5574077246549"}, DoubleCase{"cot(x)", 1, "0.642092615934331"},
        DoubleCase{"cosx", 1, "0.54030230586814"}, DoubleCase{"asin(x)", 0.5, "0.523598775598299"},
        DoubleCase{"2*arcsin(1)", 0, "3.14159265358979"},
        DoubleCase{"acos(x)", 0, "1.5707963267949"}, DoubleCase{"arccos(x)", 1, "0"},
        DoubleCase{"4*atan(1)", 0, "3.14159265358979"},
        DoubleCase{"arctgx", 1, "0.785398163397448"},
        // no implicit product, and log is refused
        DoubleCase{"ex", 1, "nan"}, DoubleCase{"pix", 1, "nan"}, DoubleCase{"log(x)", 1, "nan"},
        DoubleCase{"sinpi", 0, "nan"}));

INSTANTIATE_TEST_SUITE_P(
    Values, DoublePrecision,
    ::testing::Values(DoubleCase{"1e-5", 0, "1e-05"}, DoubleCase{"2.5E+3", 0, "2500"},
                      DoubleCase{"2e3", 0, "2000"}, DoubleCase{"1e-x", 5, "-4"},
                      DoubleCase{"x*1e-2", 3, "0.03"}, DoubleCase{"0.1", 0, "0.1"},
                      DoubleCase{"x", 0.1, "0.1"}, DoubleCase{"1/3", 0, "0.333333333333333"},
                      DoubleCase{"16777216+1", 0, "16777217"}, DoubleCase{"1e38*10", 0, "1e+39"},
                      DoubleCase{"1e300*1e10", 0, "inf"}));

struct FieldCase {
    const char* text;
    Precision precision;
    double expected;  // NaN: refused
};

class NumberField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(NumberField, ReadsAsThePrecisionDoes) {
    const FieldCase& c = GetParam();
    const std::optional<double> value = ReadNumberField(c.text, c.precision);
    if (std::isnan(c.expected)) {
        EXPECT_FALSE(value.has_value()) << *value;
    } else {
        EXPECT_EQ(value, c.expected);
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kRefused = std::numeric_limits<double>::quiet_NaN();
using enum Precision;
INSTANTIATE_TEST_SUITE_P(
    Fields, NumberField,
    ::testing::Values(FieldCase{" 1.5 ", Single, 1.5}, FieldCase{"+.5e1", Double, 5.0},
                      FieldCase{"pi/2", Double, std::numbers::pi / 2},
                      FieldCase{"pi/2", Single, kRefused},
                      FieldCase{"sqrt(2)", Double, std::sqrt(2.0)},
                      FieldCase{"1e-12", Double, 1e-12}, FieldCase{" inf", Double, kInf},
                      FieldCase{"-∞", Double, -kInf}, FieldCase{"inf", Single, kRefused},
                      FieldCase{"x+1", Double, kRefused}, FieldCase{"2abc", Double, kRefused},
                      FieldCase{"1/0", Double, kRefused}, FieldCase{"ln(0-1)", Double, kRefused},
                      FieldCase{"2*inf", Double, kRefused}));

}  // namespace

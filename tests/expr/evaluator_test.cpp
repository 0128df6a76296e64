// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/number_text.h"
#include "expr/compiler.h"
#include "expr/diagnosis.h"
#include "expr/reduction.h"

namespace {

struct EvalCase {
    const char* formula;
    float x;
    const char* expected;  // the result widened to double, as "%.15g"
};

// Both evaluations must give the documented value: the literal reduction and
// the replay that callers use.
class Evaluator : public ::testing::TestWithParam<EvalCase> {};

TEST_P(Evaluator, GivesTheDocumentedValue) {
    const EvalCase& c = GetParam();
    CompiledExpression expr;
    CompileExpression(expr, c.formula);
    EXPECT_EQ(formatDouble(EvaluateExpressionLiteral(expr, c.x)), c.expected) << "literal";
    EXPECT_EQ(formatDouble(EvaluateExpression(expr, c.x)), c.expected) << "replay";
    // The diagnosis calls readable exactly what the literal reduction gives a value.
    CompiledExpression work = expr;
    for (int i = 0; i < work.count; ++i) {
        if (work.elements[i].code == ElementCode::kVariable)
            work.elements[i].code = ElementCode::kNumber;
    }
    const bool reduces = work.readable && ReduceRange(work, 0, work.count, work.openParens) &&
                         reducedToOneNumber(work.elements.data(), work.count);
    EXPECT_EQ(DiagnoseFormula(c.formula).readable, reduces);
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, Evaluator,
    ::testing::Values(EvalCase{"2*sin(x)+1", 0.5f, "1.95885109901428"},
                      EvalCase{"sin(2*(x+1))*cos(x)", 2.0f, "0.116277873516083"},
                      EvalCase{"-3+5", 0, "2"}, EvalCase{"-x+1", 2, "-1"},
                      EvalCase{"-x^2", 2, "-4"},  // power before negation
                      EvalCase{"(-3)+5", 0, "2"}, EvalCase{"2*(-3)", 0, "-6"},
                      EvalCase{"2^3^2", 0, "64"},  // left associative
                      EvalCase{"64#2#3", 0, "2"},
                      EvalCase{"8#3^2", 0, "1.25992107391357"},  // 8^(1/9): power before root
                      EvalCase{"8/4/2", 0, "1"}, EvalCase{"3-2-1", 0, "0"},
                      EvalCase{"2*3+4*5", 0, "26"},
                      EvalCase{"2-3+4", 0, "3"},    // subtraction first: not 2-(3+4)
                      EvalCase{"12/2*3", 0, "18"},  // division first: not 12/(2*3)
                      EvalCase{"2*12/3", 0, "8"}, EvalCase{"2^3#3", 0, "2"},  // (2^3)#3
                      EvalCase{"sinx^2", 2, "0.826821744441986"}, EvalCase{"(x+1)*(x-1)", 2, "3"},
                      EvalCase{"x*(x+(x*(x+1)))", 2, "16"}, EvalCase{"((((x))))", 7, "7"},
                      EvalCase{"abs(0-x)", 3, "3"}, EvalCase{"lg(1000)", 0, "3"},
                      EvalCase{"cos(0)+tg(0)", 0, "1"}));

INSTANTIATE_TEST_SUITE_P(
    SinglePrecision, Evaluator,
    ::testing::Values(EvalCase{"x", 0.1f, "0.100000001490116"},
                      EvalCase{"0.1", 0, "0.100000001490116"},
                      // each step rounds to single: 1/3 stored, then times 3
                      EvalCase{"1/3*3", 0, "1"}, EvalCase{"1/3", 0, "0.333333343267441"},
                      EvalCase{"16777216+1", 0, "16777216"},  // 2^24 + 1 is not a single
                      EvalCase{"1e38*10", 0, "inf"},          // overflow on storing
                      EvalCase{"1e38*10-1e38*10", 0, "nan"}));

INSTANTIATE_TEST_SUITE_P(DomainFaults, Evaluator,
                         ::testing::Values(EvalCase{"ln(0)", 0, "-inf"},
                                           EvalCase{"ln(0-1)", 0, "nan"}, EvalCase{"1/0", 0, "inf"},
                                           EvalCase{"0/0", 0, "nan"}, EvalCase{"ctgx", 0, "inf"},
                                           EvalCase{"(0-8)#3", 0, "nan"},
                                           EvalCase{"(0-8)^(1/3)", 0, "nan"},
                                           EvalCase{"(0-8)^3", 0, "-512"}));

// Empty parentheses vanish in the reduction, so they leave a formula intact.
INSTANTIATE_TEST_SUITE_P(EmptyGroups, Evaluator,
                         ::testing::Values(EvalCase{"2*()3", 0, "6"}, EvalCase{"()-3", 0, "-3"},
                                           EvalCase{"(()x)", 4, "4"}));

// Formulas without a value evaluate to NaN.
INSTANTIATE_TEST_SUITE_P(Malformed, Evaluator,
                         ::testing::Values(EvalCase{"", 0, "nan"}, EvalCase{"()", 0, "nan"},
                                           EvalCase{"*2", 0, "nan"}, EvalCase{"(*2)", 0, "nan"},
                                           EvalCase{"+2", 0, "nan"}, EvalCase{"2+", 0, "nan"},
                                           EvalCase{"2-", 0, "nan"}, EvalCase{"-", 0, "nan"},
                                           EvalCase{"sin", 0, "nan"}, EvalCase{"2*sin", 0, "nan"},
                                           EvalCase{"2x", 1, "nan"}, EvalCase{"x(2)", 1, "nan"},
                                           EvalCase{"(2)(3)", 0, "nan"}, EvalCase{"(x", 1, "nan"},
                                           EvalCase{"x)", 1, "nan"}, EvalCase{")(", 0, "nan"},
                                           EvalCase{"2*-3", 0, "nan"}, EvalCase{"1+-2", 0, "nan"},
                                           EvalCase{"--2", 0, "nan"}, EvalCase{"3--2", 0, "nan"},
                                           EvalCase{"sin-x", 1, "nan"},
                                           EvalCase{"sin(cos)", 1, "nan"},
                                           EvalCase{"x+y", 1, "nan"}, EvalCase{"pi*x", 1, "nan"},
                                           EvalCase{".+1", 0, "nan"}, EvalCase{"sin x", 1, "nan"}));

TEST(EvaluatorState, LiteralReductionRestoresTheCompiledFormula) {
    CompiledExpression expr;
    CompileExpression(expr, "sin(2*(x+1))*cos(x)-(x)");
    const auto before = expr.elements;
    const float first = EvaluateExpressionLiteral(expr, 2.0f);
    for (int i = 0; i < expr.count; ++i) {
        EXPECT_EQ(expr.elements[i].code, before[i].code) << i;
        EXPECT_EQ(expr.elements[i].value, before[i].value) << i;
    }
    EXPECT_NE(EvaluateExpressionLiteral(expr, 0.5f), first);
    EXPECT_EQ(EvaluateExpressionLiteral(expr, 2.0f), first);
}

TEST(EvaluatorState, AnUnreadableFormulaNeverShowsAnEarlierValue) {
    CompiledExpression expr;
    CompileExpression(expr, "x+1");
    EXPECT_EQ(EvaluateExpression(expr, 1.0f), 2.0f);
    for (const char* text : {"y", ".", "", "12345678901234567890"}) {
        CompileExpression(expr, text);
        EXPECT_TRUE(std::isnan(EvaluateExpression(expr, 1.0f))) << text;
        EXPECT_TRUE(std::isnan(EvaluateExpressionLiteral(expr, 1.0f))) << text;
    }
}

TEST(EvaluatorState, TheSharedFormulaServesTheGlobalForms) {
    CompileExpression("x*x");
    EXPECT_EQ(EvaluateExpression(3.0f), 9.0f);
    CompileExpression("x+x");
    EXPECT_EQ(EvaluateExpression(3.0f), 6.0f);
}

TEST(EvaluatorState, DeepAndLongFormulasStayInsideTheArrays) {
    std::string nested;
    for (int i = 0; i < 499; ++i) nested += '(';
    nested += 'x';
    for (int i = 0; i < 499; ++i) nested += ')';  // 999 elements
    CompiledExpression expr;
    CompileExpression(expr, nested);
    EXPECT_EQ(EvaluateExpression(expr, 5.0f), 5.0f);
    EXPECT_EQ(EvaluateExpressionLiteral(expr, 5.0f), 5.0f);

    CompileExpression(expr, "(" + nested + ")");  // 1001 elements: refused
    EXPECT_TRUE(std::isnan(EvaluateExpression(expr, 5.0f)));
}

}  // namespace

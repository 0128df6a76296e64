// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/diagnosis.h"

#include <gtest/gtest.h>

namespace {

struct DiagnosisCase {
    const char* formula;
    int position;  // 0: readable
    FormulaFault fault;
};

class Diagnosis : public ::testing::TestWithParam<DiagnosisCase> {};

TEST_P(Diagnosis, NamesTheFirstFaultAndItsCharacter) {
    const DiagnosisCase& c = GetParam();
    const FormulaDiagnosis d = DiagnoseFormula(c.formula);
    EXPECT_EQ(d.readable, c.position == 0);
    EXPECT_EQ(d.position, c.position);
    EXPECT_EQ(d.fault, c.fault);
    EXPECT_EQ(d.reason.empty(), d.readable);
}

using enum FormulaFault;
INSTANTIATE_TEST_SUITE_P(
    Faults, Diagnosis,
    ::testing::Values(
        DiagnosisCase{"x + 1", 2, Blank}, DiagnosisCase{"2 x", 2, Blank},
        DiagnosisCase{"sin x", 1, UnknownName}, DiagnosisCase{"x*pi", 3, UnknownName},
        DiagnosisCase{"sin（x）", 4, FullWidth}, DiagnosisCase{"x+.", 3, UnreadableNumber},
        DiagnosisCase{"x+12345678901234567890", 3, TokenTooLong},
        DiagnosisCase{"(x+1)(x-1)", 6, MissingOperator}, DiagnosisCase{"x*-3", 3, TwoOperators},
        DiagnosisCase{"2π+", 3, MissingOperand},  // characters, not bytes
        DiagnosisCase{"()", 1, MissingOperand}, DiagnosisCase{"2*sin", 3, NoArgument},
        DiagnosisCase{"sin()cosx", 1, NoArgument}, DiagnosisCase{"sin(x", 4, UnmatchedOpen},
        DiagnosisCase{"x)", 2, UnmatchedClose}, DiagnosisCase{"", 1, Empty},
        // the fault that starts first, a token's or the shape's
        DiagnosisCase{"(x+pi", 1, UnmatchedOpen}, DiagnosisCase{"2x+sin x", 2, MissingOperator},
        DiagnosisCase{"x+pi)", 3, UnknownName},
        // readable, whatever the values
        DiagnosisCase{"ln(x)", 0, None}, DiagnosisCase{"2*()3", 0, None},
        DiagnosisCase{"0/0", 0, None}));

TEST(Diagnosis, ExplainsInTheProgramsWords) {
    EXPECT_EQ(DiagnosisLine(DiagnoseFormula("x + 1")),
              "第 2 个字符：公式中不能有空格，请删去这个空格。");
    EXPECT_NE(DiagnoseFormula("pi").reason.find("3.14159265358979"), std::string::npos);

    std::string long_formula = "x";
    for (int i = 0; i < 600; ++i) long_formula += "+x";
    const FormulaDiagnosis tooMany = DiagnoseFormula(long_formula);
    EXPECT_EQ(tooMany.fault, TooManyElements);
    EXPECT_EQ(tooMany.position, 1001);

    // A warning never changes the verdict.
    const FormulaDiagnosis exponent = DiagnoseFormula("1e-5");
    EXPECT_TRUE(exponent.readable);
    ASSERT_EQ(exponent.warnings.size(), 1u);
    EXPECT_NE(exponent.warnings[0].text.find("0.00001"), std::string::npos);
}

}  // namespace

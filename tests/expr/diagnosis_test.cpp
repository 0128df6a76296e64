// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/diagnosis.h"

#include <gtest/gtest.h>

namespace {

struct DiagnosisCase {
    const char* formula;
    int position;  // 0: readable
    FormulaFault fault;
    Precision precision = Precision::Single;
};

class Diagnosis : public ::testing::TestWithParam<DiagnosisCase> {};

TEST_P(Diagnosis, NamesTheFirstFaultAndItsCharacter) {
    const DiagnosisCase& c = GetParam();
    const FormulaDiagnosis d = DiagnoseFormula(c.formula, c.precision);
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

// The names of double precision, known there only; log in neither.
INSTANTIATE_TEST_SUITE_P(
    Precisions, Diagnosis,
    ::testing::Values(DiagnosisCase{"sqrt(x)", 1, UnknownName},
                      DiagnosisCase{"sqrt(x)", 0, None, Precision::Double},
                      DiagnosisCase{"2*exp(x)", 3, UnknownName},
                      DiagnosisCase{"2*exp(x)+e", 0, None, Precision::Double},
                      DiagnosisCase{"log(x)", 1, AmbiguousName},
                      DiagnosisCase{"log(x)", 1, AmbiguousName, Precision::Double},
                      DiagnosisCase{"ex", 2, MissingOperator, Precision::Double},
                      DiagnosisCase{"sinpi", 1, UnknownName, Precision::Double},
                      DiagnosisCase{"1e-5", 0, None, Precision::Double}));

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
    EXPECT_TRUE(DiagnoseFormula("1e-5", Precision::Double).warnings.empty());
}

TEST(Diagnosis, NamesTheKeyThatReadsANameOfDoublePrecision) {
    EXPECT_EQ(DiagnoseFormula("pi").reason,
              "不认识“pi”。单精度下请写成 3.14159265358979，或按 Ctrl+Shift+D 切换到双精度。");
    EXPECT_EQ(DiagnoseFormula("asin(x)").reason,
              "不认识“asin”。双精度认识 asin，请按 Ctrl+Shift+D 切换。");
    EXPECT_NE(DiagnoseFormula("log(x)").reason.find("自然对数写 ln，常用对数写 lg"),
              std::string::npos);
    EXPECT_NE(DiagnoseFormula("sinpi", Precision::Double).reason.find("sin(pi)"),
              std::string::npos);
}

}  // namespace

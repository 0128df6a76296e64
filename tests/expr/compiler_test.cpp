// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/compiler.h"

#include <gtest/gtest.h>

#include <string>

#include "core/number_text.h"

namespace {

// The element sequence as text: numbers by their %g value, other codes as they are.
std::string describe(const CompiledExpression& expr) {
    std::string text;
    for (int i = 0; i < expr.count; ++i) {
        if (!text.empty()) text += ' ';
        const ExprElement& e = expr.elements[i];
        text += e.code == ElementCode::kNumber ? formatFloat(e.value) : std::string(1, e.code);
    }
    return text;
}

struct CompileCase {
    const char* formula;
    const char* elements;
    int openParens;
    bool readable;
};

class Compiler : public ::testing::TestWithParam<CompileCase> {};

TEST_P(Compiler, TokenizesIntoElements) {
    const CompileCase& c = GetParam();
    CompiledExpression expr;
    CompileExpression(expr, c.formula);
    EXPECT_EQ(describe(expr), c.elements);
    EXPECT_EQ(expr.openParens, c.openParens);
    EXPECT_EQ(expr.readable, c.readable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Compiler,
    ::testing::Values(
        CompileCase{"2*sin(x)+1", "2 * a ( x ) + 1", 1, true}, CompileCase{"", "", 0, false},
        CompileCase{"x", "x", 0, true},
        CompileCase{"X", "?", 0, false},  // upper case is not the variable
        CompileCase{"1e5", "100000", 0, true}, CompileCase{"1.5e3+1", "1500 + 1", 0, true},
        CompileCase{"1e-5", "1 - 5", 0, true},  // "-" splits the exponent off
        CompileCase{"3.5.2", "3.5", 0, true}, CompileCase{"12abc", "12", 0, true},
        CompileCase{".5", "0.5", 0, true}, CompileCase{"5.", "5", 0, true},
        CompileCase{"1e", "1", 0, true}, CompileCase{"1E2", "100", 0, true},
        CompileCase{"1e99", "inf", 0, true},
        CompileCase{"sin x", "? x", 0, false},  // "sin " is one token
        CompileCase{"sinx", "a x", 0, true}, CompileCase{"sin2", "?", 0, false},
        CompileCase{"((x))", "( ( x ) )", 2, true}, CompileCase{"(x", "( x", 1, true},
        CompileCase{"ctg(x)", "d ( x )", 1, true}, CompileCase{"CTG(x)", "? ( x )", 1, false},
        CompileCase{"cos tg ln lg abs", "?", 0, false},
        CompileCase{"cosx+tgx-ctgx*lnx/lgx^absx#x", "b x + c x - d x * e x / f x ^ g x # x", 0,
                    true},
        CompileCase{"pi", "?", 0, false}, CompileCase{".", "0", 0, false},  // no digits: unreadable
        CompileCase{".e", "0", 0, false},
        CompileCase{"2x", "2 x", 0, true},  // no implicit product: the evaluator refuses it
        CompileCase{"\xEF\xBD\x98", "?", 0, false},  // full-width x is not the variable
        CompileCase{"1234567890123456789", "1.23457e+18", 0, true},  // 19 characters
        CompileCase{"12345678901234567890", "?", 0, false}));        // 20: too long

TEST(Compiler, StoresNumbersAsTheNearestSingle) {
    CompiledExpression expr;
    CompileExpression(expr, "0.1");
    EXPECT_EQ(expr.elements[0].value, 0.1f);
    EXPECT_EQ(formatDouble(expr.elements[0].value), "0.100000001490116");
}

TEST(Compiler, RefusesFormulasBeyondTheElementLimitWithoutOverrun) {
    std::string formula = "x";
    for (int i = 0; i < 600; ++i) formula += "+x";  // 1201 elements
    CompiledExpression expr;
    CompileExpression(expr, formula);
    EXPECT_FALSE(expr.readable);
    EXPECT_EQ(expr.count, kMaxElements);

    formula.resize(999);  // 999 elements fit
    CompileExpression(expr, formula);
    EXPECT_TRUE(expr.readable);
    EXPECT_EQ(expr.count, 999);
}

TEST(Compiler, ANewCompileForgetsTheOldFormula) {
    CompiledExpression expr;
    CompileExpression(expr, "((x+1)*2)");
    CompileExpression(expr, "y");
    EXPECT_EQ(describe(expr), "?");
    EXPECT_EQ(expr.openParens, 0);
    EXPECT_FALSE(expr.readable);
}

}  // namespace

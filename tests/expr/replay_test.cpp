// SPDX-License-Identifier: GPL-3.0-or-later
// The replay must give the bits of the literal reduction on every formula:
// well-formed and malformed, every operator and function, nesting, and values
// that overflow or have no meaning.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "expr/compiler.h"
#include "expr/evaluator.h"

namespace {

class FormulaGenerator {
  public:
    explicit FormulaGenerator(unsigned seed) : random_(seed) {}

    // A formula of the grammar, with an occasional fault slipped in.
    std::string wellFormed(int depth) {
        std::string text = term(depth);
        const int operators = pick(4);
        for (int i = 0; i < operators; ++i) text += binaryOperator() + term(depth);
        return text;
    }

    // Tokens thrown together: mostly malformed, sometimes by chance a formula.
    std::string soup() {
        static const std::vector<std::string> tokens = {
            "x", "2",   "0",   "(",  ")",   "(",  ")",  "+",   "-",   "-",  "*",    "/", "^",
            "#", "sin", "cos", "tg", "ctg", "ln", "lg", "abs", "1.5", ".5", "1e38", "()"};
        std::string text;
        const int length = 1 + pick(12);
        for (int i = 0; i < length; ++i) text += tokens[pick(static_cast<int>(tokens.size()))];
        return text;
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string binaryOperator() {
        static const char* const operators[] = {"+", "-", "*", "/", "^", "#", "-", "*"};
        if (pick(40) == 0) {  // a doubled operator: a fault
            std::string doubled = "-";
            doubled += operators[pick(8)];
            return doubled;
        }
        return operators[pick(8)];
    }

    std::string number() {
        static const char* const numbers[] = {"0",  "1",    "2",     "3",    "0.5",
                                              "10", "1e38", "1e-45", "7.25", "100000",
                                              ".1", "3.",   "65504"};
        return numbers[pick(13)];
    }

    static std::string group(std::string opening, const std::string& inside) {
        opening += inside;
        opening += ')';
        return opening;
    }

    std::string term(int depth) {
        static const char* const functions[] = {"sin", "cos", "tg", "ctg", "ln", "lg", "abs"};
        switch (depth > 0 ? pick(8) : pick(3)) {
            case 0:
                return "x";
            case 1:
                return number();
            case 2:
                return pick(10) == 0 ? "-x" : "x";  // "-x" after an operator: a fault
            case 3:
            case 4:
                return group("(", wellFormed(depth - 1));
            case 5:
                return group(std::string(functions[pick(7)]) + "(", wellFormed(depth - 1));
            case 6:
                return std::string(functions[pick(7)]) + (pick(2) ? "x" : number());
            default:
                return group("(-", term(depth - 1));
        }
    }

    std::mt19937 random_;
};

std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }

TEST(Replay, GivesTheBitsOfTheLiteralReduction) {
    const float points[] = {0.0f,
                            -0.0f,
                            1.0f,
                            -1.0f,
                            2.0f,
                            0.5f,
                            -3.75f,
                            1e30f,
                            -1e-40f,
                            123456.7f,
                            std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    FormulaGenerator generator(20261208);
    CompiledExpression expr;
    int formulas = 0;
    int withValue = 0;
    int nonFinite = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = i % 3 == 2 ? generator.soup() : generator.wellFormed(3);
        CompileExpression(expr, text);
        ++formulas;
        bool hadValue = false;
        float batch[std::size(points)];
        EvaluateExpressionBatch(expr, points, batch, static_cast<int>(std::size(points)));
        for (std::size_t p = 0; p < std::size(points); ++p) {
            const float x = points[p];
            const float literal = EvaluateExpressionLiteral(expr, x);
            const float replay = EvaluateExpression(expr, x);
            ASSERT_EQ(bits(replay), bits(literal)) << '"' << text << "\" at x = " << x;
            ASSERT_EQ(bits(batch[p]), bits(literal)) << "batch: \"" << text << "\" at x = " << x;
            if (std::isfinite(literal))
                hadValue = true;
            else if (x == 1.0f)
                ++nonFinite;
        }
        if (hadValue) ++withValue;
    }
    // The generator must exercise both sides: formulas with values and without.
    EXPECT_GT(withValue, formulas / 3);
    EXPECT_LT(withValue, formulas);
    EXPECT_GT(nonFinite, formulas / 20);
}

TEST(Replay, FoldsConstantsButKeepsTheirRounding) {
    CompiledExpression expr;
    CompileExpression(expr, "1/3*3+x*0");
    EXPECT_EQ(EvaluateExpression(expr, 5.0f), EvaluateExpressionLiteral(expr, 5.0f));
    CompileExpression(expr, "16777216+1+1");  // each sum rounds to single: stays 2^24
    EXPECT_EQ(expr.plan.stepCount, 0);
    EXPECT_EQ(EvaluateExpression(expr, 0.0f), 16777216.0f);
}

TEST(Replay, BatchesOfEveryLengthMatchSinglePoints) {
    CompiledExpression expr;
    CompileExpression(expr, "sin(x)*x-(x/3)^2+abs(0-x)#2");
    std::vector<float> xs, batch;
    for (int n : {0, 1, 7, 64, 65, 200}) {
        xs.resize(n);
        batch.assign(n, 0.0f);
        for (int i = 0; i < n; ++i) xs[i] = 0.37f * static_cast<float>(i) - 5.0f;
        EvaluateExpressionBatch(expr, xs.data(), batch.data(), n);
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(bits(batch[i]), bits(EvaluateExpression(expr, xs[i])));
    }
}

// All function values of a range are computed before its operators, so this
// formula keeps hundreds of registers live: the batch must narrow, never overrun.
TEST(Replay, ManyLiveRegistersStayInBounds) {
    std::string text = "sinx";
    for (int i = 0; i < 240; ++i) text += "+sinx";
    CompiledExpression expr;
    CompileExpression(expr, text);
    ASSERT_TRUE(expr.readable);
    EXPECT_GT(expr.plan.registerCount, 128);
    float xs[70], batch[70];
    for (int i = 0; i < 70; ++i) xs[i] = static_cast<float>(i);
    EvaluateExpressionBatch(expr, xs, batch, 70);
    for (int i = 0; i < 70; ++i) {
        EXPECT_EQ(bits(batch[i]), bits(EvaluateExpressionLiteral(expr, xs[i])));
    }
}

// A double takes twice the room, so double precision's batches narrow sooner.
TEST(Replay, ManyLiveRegistersStayInBoundsInDoublePrecision) {
    std::string text = "sinhx";
    for (int i = 0; i < 100; ++i) text += "+sinhx";
    const auto expr = std::make_unique<CompiledExpressionD>();
    CompileExpression(*expr, text);
    ASSERT_GT(expr->plan.registerCount, 64);
    double xs[70], batch[70];
    for (int i = 0; i < 70; ++i) xs[i] = 0.5 * i;
    EvaluateExpressionBatch(*expr, xs, batch, 70);
    for (int i = 0; i < 70; ++i) EXPECT_EQ(batch[i], EvaluateExpressionLiteral(*expr, xs[i]));
}

TEST(Replay, HandlesTheLongestFormula) {
    std::string text = "x";
    for (int i = 0; i < 499; ++i) text += i % 2 ? "*x" : "-1";  // 999 elements
    CompiledExpression expr;
    CompileExpression(expr, text);
    ASSERT_TRUE(expr.readable);
    EXPECT_EQ(expr.plan.stepCount, 499);
    for (float x : {0.5f, 1.0f, -2.0f}) {
        EXPECT_EQ(bits(EvaluateExpression(expr, x)), bits(EvaluateExpressionLiteral(expr, x)));
    }
}

}  // namespace

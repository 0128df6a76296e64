// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// A formula compiled for evaluation: a flat, left-to-right sequence of typed
// elements (numbers converted, function names replaced by one-letter codes),
// plus the replay plan that evaluates it without rescanning.

inline constexpr int kMaxElements = 1000;   // elements of one formula
inline constexpr int kMaxTokenLength = 19;  // characters of one token

// Element kind codes.
namespace ElementCode {
inline constexpr char kNumber = '`';
inline constexpr char kVariable = 'x';
inline constexpr char kOpen = '(';
inline constexpr char kClose = ')';
inline constexpr char kSine = 'a';
inline constexpr char kCosine = 'b';
inline constexpr char kTangent = 'c';
inline constexpr char kCotangent = 'd';
inline constexpr char kNaturalLog = 'e';
inline constexpr char kDecimalLog = 'f';
inline constexpr char kAbsolute = 'g';
inline constexpr char kDeleted = '!';  // written only by the evaluator
inline constexpr char kUnknown = '?';  // a token that is neither a number nor a function name
}  // namespace ElementCode

inline bool isFunctionCode(char code) { return code >= 'a' && code <= 'g'; }

struct ExprElement {
    char code = 0;
    float value = 0.0f;  // the number, for a number element
};

// One operation of a replay plan. Operands name registers (r) or constants (k)
// as the opcode says; register 0 holds x.
struct ReplayStep {
    std::uint8_t opcode = 0;
    std::uint16_t target = 0;
    std::uint16_t left = 0;
    std::uint16_t right = 0;
};

// Where the value of a plan comes from in the end.
struct ReplayOperand {
    bool isConstant = true;
    std::uint16_t index = 0;  // register, when not constant
    float constant = 0.0f;
};

// The reductions the evaluator performs depend only on the element codes, never
// on the values, so they are worked out once per compile. Operations whose
// operands are all constants are carried out then, with the same arithmetic.
struct ReplayPlan {
    int stepCount = 0;
    int registerCount = 1;  // registers the steps use, x included
    std::array<ReplayStep, kMaxElements> steps{};
    std::array<float, kMaxElements> constants{};
    ReplayOperand result{};
};

struct CompiledExpression {
    std::array<ExprElement, kMaxElements> elements{};
    std::int32_t openParens = 0;  // "(" characters in the text, counted, not matched
    std::array<ExprElement, kMaxElements> saved{};  // the evaluator's save area
    std::int32_t count = 0;                         // elements in use
    // False when the text cannot be a formula at all: an unknown token, an
    // unreadable number, a token longer than kMaxTokenLength characters, or more
    // than kMaxElements elements. Such a formula evaluates to NaN.
    bool readable = false;
    // True when the formula has a value: readable, and its elements reduce to
    // one number. (The value may still be NaN at some x.)
    bool hasValue = false;
    ReplayPlan plan{};
};

// The program-wide compiled formula of the current request.
CompiledExpression& SharedCompiledExpression();

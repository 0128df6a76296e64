// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "core/precision.h"

// A formula compiled for evaluation: a flat, left-to-right sequence of typed
// elements (numbers converted, names replaced by one-letter codes), plus the
// replay plan that evaluates it without rescanning. Value is the type every
// value is stored in: float in single precision, double in double precision.

inline constexpr int kMaxElements = 1000;   // elements of one formula
inline constexpr int kMaxTokenLength = 19;  // characters of one token

// Element kind codes.
namespace ElementCode {
inline constexpr char kNumber = '`';  // a constant's name compiles to a number too
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
// The functions of double precision only.
inline constexpr char kExponential = 'h';
inline constexpr char kSquareRoot = 'i';
inline constexpr char kArcSine = 'j';
inline constexpr char kArcCosine = 'k';
inline constexpr char kArcTangent = 'l';
inline constexpr char kHyperbolicSine = 'm';
inline constexpr char kHyperbolicCosine = 'n';
inline constexpr char kHyperbolicTangent = 'o';
inline constexpr char kDeleted = '!';  // written only by the evaluator
inline constexpr char kUnknown = '?';  // a token that is neither a number nor a name
}  // namespace ElementCode

inline bool isFunctionCode(char code) {
    return code >= ElementCode::kSine && code <= ElementCode::kHyperbolicTangent;
}

template <class Value>
struct BasicExprElement {
    char code = 0;
    Value value = 0;  // the number, for a number element
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
template <class Value>
struct BasicReplayOperand {
    bool isConstant = true;
    std::uint16_t index = 0;  // register, when not constant
    Value constant = 0;
};

// The reductions the evaluator performs depend only on the element codes, never
// on the values, so they are worked out once per compile. Operations whose
// operands are all constants are carried out then, with the same arithmetic.
template <class Value>
struct BasicReplayPlan {
    int stepCount = 0;
    int registerCount = 1;  // registers the steps use, x included
    std::array<ReplayStep, kMaxElements> steps{};
    std::array<Value, kMaxElements> constants{};
    BasicReplayOperand<Value> result{};
};

template <class Value>
struct BasicCompiledExpression {
    static_assert(std::is_same_v<Value, float> || std::is_same_v<Value, double>);
    using ValueType = Value;
    // The language the text is read in follows the value type.
    static constexpr Precision kPrecision =
        std::is_same_v<Value, double> ? Precision::Double : Precision::Single;

    std::array<BasicExprElement<Value>, kMaxElements> elements{};
    std::int32_t openParens = 0;  // "(" characters in the text, counted, not matched
    std::array<BasicExprElement<Value>, kMaxElements> saved{};  // the evaluator's save area
    std::int32_t count = 0;                                     // elements in use
    // False when the text cannot be a formula at all: an unknown token, an
    // unreadable number, a token longer than kMaxTokenLength characters, or more
    // than kMaxElements elements. Such a formula evaluates to NaN.
    bool readable = false;
    // True when the formula has a value: readable, and its elements reduce to
    // one number. (The value may still be NaN at some x.)
    bool hasValue = false;
    BasicReplayPlan<Value> plan{};
};

using ExprElement = BasicExprElement<float>;
using ReplayOperand = BasicReplayOperand<float>;
using ReplayPlan = BasicReplayPlan<float>;
using CompiledExpression = BasicCompiledExpression<float>;

using ExprElementD = BasicExprElement<double>;
using ReplayPlanD = BasicReplayPlan<double>;
using CompiledExpressionD = BasicCompiledExpression<double>;

// The program-wide compiled formula of the current request.
CompiledExpression& SharedCompiledExpression();

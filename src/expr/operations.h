// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "expr/compiled_expression.h"

// The arithmetic of formulas, over the value type of the precision. Operands
// are stored values; each operation is carried out in double and stored in
// the value type: a single is rounded there, and an out-of-range double rounds
// to an infinity (IEEE conversion, as the compiler implements it), while a
// double is stored as it is.

template <class Value>
inline Value applyFunction(char code, Value operand) {
    const double v = operand;
    switch (code) {
        case ElementCode::kSine:
            return static_cast<Value>(std::sin(v));
        case ElementCode::kCosine:
            return static_cast<Value>(std::cos(v));
        case ElementCode::kTangent:
            return static_cast<Value>(std::tan(v));
        case ElementCode::kCotangent:
            return static_cast<Value>(1.0 / std::tan(v));
        case ElementCode::kNaturalLog:
            return static_cast<Value>(std::log(v));
        case ElementCode::kDecimalLog:
            return static_cast<Value>(std::log10(v));
        case ElementCode::kAbsolute:
            return static_cast<Value>(std::fabs(v));
        case ElementCode::kExponential:
            return static_cast<Value>(std::exp(v));
        case ElementCode::kSquareRoot:
            return static_cast<Value>(std::sqrt(v));
        case ElementCode::kArcSine:
            return static_cast<Value>(std::asin(v));
        case ElementCode::kArcCosine:
            return static_cast<Value>(std::acos(v));
        case ElementCode::kArcTangent:
            return static_cast<Value>(std::atan(v));
        case ElementCode::kHyperbolicSine:
            return static_cast<Value>(std::sinh(v));
        case ElementCode::kHyperbolicCosine:
            return static_cast<Value>(std::cosh(v));
        case ElementCode::kHyperbolicTangent:
            return static_cast<Value>(std::tanh(v));
        default:
            return static_cast<Value>(NAN);
    }
}

template <char Op, class Value>
inline Value applyOperator(Value left, Value right) {
    const double a = left;
    const double b = right;
    if constexpr (Op == '^') return static_cast<Value>(std::pow(a, b));
    if constexpr (Op == '#') return static_cast<Value>(std::pow(a, 1.0 / b));
    if constexpr (Op == '/') return static_cast<Value>(a / b);
    if constexpr (Op == '*') return static_cast<Value>(a * b);
    if constexpr (Op == '-') return static_cast<Value>(a - b);
    if constexpr (Op == '+') return static_cast<Value>(a + b);
}

template <class Value>
inline Value applyOperator(char op, Value left, Value right) {
    switch (op) {
        case '^':
            return applyOperator<'^'>(left, right);
        case '#':
            return applyOperator<'#'>(left, right);
        case '/':
            return applyOperator<'/'>(left, right);
        case '*':
            return applyOperator<'*'>(left, right);
        case '-':
            return applyOperator<'-'>(left, right);
        case '+':
            return applyOperator<'+'>(left, right);
        default:
            return static_cast<Value>(NAN);
    }
}

// A formula's result. The sign and payload of a NaN depend on which operand
// the compiled code happens to take first, which the language leaves open, so
// every NaN result is given one fixed form.
template <class Value>
inline Value formulaResult(Value value) {
    return value == value ? value : static_cast<Value>(NAN);
}

template <class Value>
inline Value applyNegation(Value operand) {
    return static_cast<Value>(-static_cast<double>(operand));
}

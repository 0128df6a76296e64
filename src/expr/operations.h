// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

#include "expr/compiled_expression.h"

// The arithmetic of formulas. Operands are stored singles; each operation is
// carried out in double and rounded to single when stored. An out-of-range
// double rounds to an infinity (IEEE conversion, as the compiler implements it).

inline float applyFunction(char code, float operand) {
    const double v = operand;
    switch (code) {
        case ElementCode::kSine:
            return static_cast<float>(std::sin(v));
        case ElementCode::kCosine:
            return static_cast<float>(std::cos(v));
        case ElementCode::kTangent:
            return static_cast<float>(std::tan(v));
        case ElementCode::kCotangent:
            return static_cast<float>(1.0 / std::tan(v));
        case ElementCode::kNaturalLog:
            return static_cast<float>(std::log(v));
        case ElementCode::kDecimalLog:
            return static_cast<float>(std::log10(v));
        case ElementCode::kAbsolute:
            return static_cast<float>(std::fabs(v));
        default:
            return NAN;
    }
}

template <char Op>
inline float applyOperator(float left, float right) {
    const double a = left;
    const double b = right;
    if constexpr (Op == '^') return static_cast<float>(std::pow(a, b));
    if constexpr (Op == '#') return static_cast<float>(std::pow(a, 1.0 / b));
    if constexpr (Op == '/') return static_cast<float>(a / b);
    if constexpr (Op == '*') return static_cast<float>(a * b);
    if constexpr (Op == '-') return static_cast<float>(a - b);
    if constexpr (Op == '+') return static_cast<float>(a + b);
}

inline float applyOperator(char op, float left, float right) {
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
            return NAN;
    }
}

// A formula's result. The sign and payload of a NaN depend on which operand
// the compiled code happens to take first, which the language leaves open, so
// every NaN result is given one fixed form.
inline float formulaResult(float value) { return value == value ? value : NAN; }

inline float applyNegation(float operand) {
    return static_cast<float>(-static_cast<double>(operand));
}

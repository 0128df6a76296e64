// SPDX-License-Identifier: GPL-3.0-or-later
#include "expr/slope.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "expr/reduction.h"

namespace {

template <class T>
struct SlopeElement {
    char code = 0;
    T value = 0;
    T slope = 0;
};

// The function code at v, computed in T.
template <class T>
T functionValue(char code, T v) {
    using std::abs, std::acos, std::asin, std::atan, std::cos, std::cosh, std::exp, std::log,
        std::log10, std::sin, std::sinh, std::sqrt, std::tan, std::tanh;
    switch (code) {
        case ElementCode::kSine:
            return sin(v);
        case ElementCode::kCosine:
            return cos(v);
        case ElementCode::kTangent:
            return tan(v);
        case ElementCode::kCotangent:
            return 1 / tan(v);
        case ElementCode::kNaturalLog:
            return log(v);
        case ElementCode::kDecimalLog:
            return log10(v);
        case ElementCode::kAbsolute:
            return abs(v);
        case ElementCode::kExponential:
            return exp(v);
        case ElementCode::kSquareRoot:
            return sqrt(v);
        case ElementCode::kArcSine:
            return asin(v);
        case ElementCode::kArcCosine:
            return acos(v);
        case ElementCode::kArcTangent:
            return atan(v);
        case ElementCode::kHyperbolicSine:
            return sinh(v);
        case ElementCode::kHyperbolicCosine:
            return cosh(v);
        case ElementCode::kHyperbolicTangent:
            return tanh(v);
        default:
            return NAN;
    }
}

// d/du of the function code at u = v.
template <class T>
T functionSlope(char code, T v) {
    using std::cos, std::cosh, std::exp, std::sin, std::sinh, std::sqrt;
    switch (code) {
        case ElementCode::kSine:
            return cos(v);
        case ElementCode::kCosine:
            return -sin(v);
        case ElementCode::kTangent: {
            const T c = cos(v);
            return 1 / (c * c);
        }
        case ElementCode::kCotangent: {
            const T s = sin(v);
            return -1 / (s * s);
        }
        case ElementCode::kNaturalLog:
            return 1 / v;
        case ElementCode::kDecimalLog:
            return 1 / (v * std::numbers::ln10_v<T>);
        case ElementCode::kAbsolute:
            return v > 0 ? T(1) : v < 0 ? T(-1) : T(0);
        case ElementCode::kExponential:
            return exp(v);
        case ElementCode::kSquareRoot:
            return T(0.5) / sqrt(v);
        case ElementCode::kArcSine:
            return 1 / sqrt(1 - v * v);
        case ElementCode::kArcCosine:
            return -1 / sqrt(1 - v * v);
        case ElementCode::kArcTangent:
            return 1 / (1 + v * v);
        case ElementCode::kHyperbolicSine:
            return cosh(v);
        case ElementCode::kHyperbolicCosine:
            return sinh(v);
        case ElementCode::kHyperbolicTangent: {
            const T c = cosh(v);
            return 1 / (c * c);
        }
        default:
            return NAN;
    }
}

// d(a^b) for a power whose value is p. A constant exponent needs no
// logarithm, so negative bases with integer powers keep their slope.
template <class T>
T powerSlope(const SlopeElement<T>& a, const SlopeElement<T>& b, T p) {
    using std::log, std::pow;
    const T byBase = a.slope == 0 ? T(0) : b.value * pow(a.value, b.value - 1) * a.slope;
    const T byExponent = b.slope == 0 ? T(0) : p * log(a.value) * b.slope;
    return byBase + byExponent;
}

template <class T>
T operatorValue(char op, T a, T b) {
    using std::pow;
    switch (op) {
        case '^':
            return pow(a, b);
        case '#':
            return pow(a, 1 / b);
        case '/':
            return a / b;
        case '*':
            return a * b;
        case '-':
            return a - b;
        case '+':
            return a + b;
        default:
            return NAN;
    }
}

template <class T>
struct SlopeApply {
    using Element = SlopeElement<T>;

    void function(Element& function, const Element& u) {
        const T value = functionValue(function.code, u.value);
        const T slope = u.slope == 0 ? T(0) : functionSlope(function.code, u.value) * u.slope;
        function = {ElementCode::kNumber, value, slope};
    }
    void binary(Element& left, char op, const Element& right) {
        const T value = operatorValue(op, left.value, right.value);
        T slope = NAN;
        switch (op) {
            case '+':
                slope = left.slope + right.slope;
                break;
            case '-':
                slope = left.slope - right.slope;
                break;
            case '*':
                slope = left.slope * right.value + left.value * right.slope;
                break;
            case '/':
                slope = (left.slope - value * right.slope) / right.value;
                break;
            case '^':
                slope = powerSlope(left, right, value);
                break;
            case '#': {
                // a # b is a^(1/b).
                const Element inverse{ElementCode::kNumber, 1 / right.value,
                                      -right.slope / (right.value * right.value)};
                slope = powerSlope(left, inverse, value);
                break;
            }
        }
        left = {ElementCode::kNumber, value, slope};
    }
    void negate(Element& minus, const Element& u) {
        minus = {ElementCode::kNumber, -u.value, -u.slope};
    }
};

template <class T>
BasicValueAndSlope<T> evaluateWithSlope(const CompiledExpressionD& expr, T x) {
    if (!expr.readable) return {NAN, NAN};
    std::vector<SlopeElement<T>> elements(static_cast<std::size_t>(expr.count));
    for (int i = 0; i < expr.count; ++i) {
        const auto& e = expr.elements[static_cast<std::size_t>(i)];
        if (e.code == ElementCode::kVariable) {
            elements[static_cast<std::size_t>(i)] = {ElementCode::kNumber, x, 1.0};
        } else {
            elements[static_cast<std::size_t>(i)] = {e.code, e.value, 0.0};
        }
    }
    SlopeApply<T> apply;
    Reduction<SlopeElement<T>, SlopeApply<T>> reduction(elements.data(), apply);
    if (!reduction.reduceRange(0, expr.count, expr.openParens) ||
        !reducedToOneNumber(elements.data(), expr.count))
        return {NAN, NAN};
    return {elements[0].value, elements[0].slope};
}

}  // namespace

ValueAndSlope EvaluateWithSlope(const CompiledExpressionD& expr, double x) {
    return evaluateWithSlope(expr, x);
}

BasicValueAndSlope<long double> EvaluateWithSlopeExtended(const CompiledExpressionD& expr,
                                                          long double x) {
    return evaluateWithSlope(expr, x);
}

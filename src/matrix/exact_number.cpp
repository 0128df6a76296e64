// SPDX-License-Identifier: GPL-3.0-or-later
// One element token read exactly or in double, and one exact number written.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/number_text.h"
#include "matrix/exact_matrix.h"
#include "matrix/matrix_text.h"

namespace {

// What the front of a token holds, blanks skipped.
struct TokenNumber {
    enum Kind { None, Decimal, Fraction, Infinity, NotANumber } kind = None;
    std::string_view text;         // the decimal, or the numerator with its sign
    std::string_view denominator;  // the digits after "/"
    bool negative = false;
};

bool equalIgnoringCase(std::string_view text, std::string_view lower) {
    return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

std::size_t digitsFrom(std::string_view text, std::size_t i) {
    while (i < text.size() && isDecimalDigit(text[i])) ++i;
    return i;
}

TokenNumber scanToken(std::string_view token) {
    TokenNumber number;
    const std::string_view rest = SkipScanBlanks(token);
    number.negative = rest.starts_with('-');
    const std::string_view word = rest.substr(rest.starts_with('-') || rest.starts_with('+'));
    if (equalIgnoringCase(word, "inf")) {
        number.kind = TokenNumber::Infinity;
        return number;
    }
    if (equalIgnoringCase(word, "nan")) {
        number.kind = TokenNumber::NotANumber;
        return number;
    }
    const std::size_t length = decimalPrefixLength(rest);
    if (length == 0) return number;
    number.text = rest.substr(0, length);
    number.kind = TokenNumber::Decimal;
    // "p/q": the decimal is a plain integer and digits follow the "/".
    const std::size_t sign = rest.front() == '-' || rest.front() == '+' ? 1 : 0;
    const std::size_t slash = length;
    if (digitsFrom(rest, sign) == length && slash + 1 < rest.size() && rest[slash] == '/' &&
        isDecimalDigit(rest[slash + 1])) {
        number.kind = TokenNumber::Fraction;
        number.denominator = rest.substr(slash + 1, digitsFrom(rest, slash + 1) - slash - 1);
    }
    return number;
}

// An integer of digits with an optional "-"; most fit in a long.
mpz_class integerOfDigits(std::string_view digits) {
    if (digits.size() <= 18) {
        long value = 0;
        for (char c : digits) value = c == '-' ? value : value * 10 + (c - '0');
        return mpz_class(digits.starts_with('-') ? -value : value);
    }
    mpz_class value;
    mpz_set_str(value.get_mpz_t(), std::string(digits).c_str(), 10);
    return value;
}

// Bits of a nonzero integer's magnitude.
long bitLength(const mpz_class& value) {
    return static_cast<long>(mpz_sizeinbase(value.get_mpz_t(), 2));
}

// Whether a nonzero value is one that a double holds: its nearest double is
// neither infinite nor zero.
bool inDoubleRange(const mpq_class& value) {
    const long scale = bitLength(value.get_num()) - bitLength(value.get_den());
    if (scale > -1000 && scale < 1000) return true;
    const double nearest = NearestDouble(value);
    return std::isfinite(nearest) && nearest != 0.0;
}

// The decimal [sign] digits [. digits] [e [sign] digits] exactly, or nullopt
// beyond the range of a double. The power of ten is checked before it is made,
// so that "1e999999" costs nothing.
std::optional<mpq_class> exactDecimal(std::string_view text) {
    std::size_t i = text.front() == '-' || text.front() == '+' ? 1 : 0;
    const bool negative = text.front() == '-';
    if (text.size() - i <= 18 && digitsFrom(text, i) == text.size()) {  // a short integer
        const mpz_class value = integerOfDigits(text.substr(i));
        return mpq_class(negative ? mpz_class(-value) : value);
    }
    std::string digits;
    std::int64_t fractionDigits = 0;
    bool afterPoint = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
        } else {
            digits += text[i];
            if (afterPoint) ++fractionDigits;
        }
    }
    // The exponent, held at a bound far past every double.
    constexpr std::int64_t kExponentBound = std::int64_t{1} << 40;
    std::int64_t exponent = 0;
    if (i < text.size()) {
        const bool negativeExponent = text[++i] == '-';
        if (text[i] == '-' || text[i] == '+') ++i;
        for (; i < text.size(); ++i) {
            exponent = std::min(kExponentBound, exponent * 10 + (text[i] - '0'));
        }
        if (negativeExponent) exponent = -exponent;
    }
    const std::size_t firstNonzero = digits.find_first_not_of('0');
    if (firstNonzero == std::string::npos) return mpq_class(0);
    digits.erase(0, firstNonzero);
    // value = digits x 10^shift, in [10^(lead - 1), 10^lead).
    const std::int64_t shift = exponent - fractionDigits;
    const std::int64_t lead = static_cast<std::int64_t>(digits.size()) + shift;
    // DBL_MAX < 10^309 and half the least subnormal > 10^-325.
    if (lead > 310 || lead < -324) return std::nullopt;
    mpq_class value(integerOfDigits(digits));
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(shift < 0 ? -shift : shift));
    if (shift < 0) {
        value.get_den() = power;
        value.canonicalize();
    } else {
        value.get_num() *= power;
    }
    if (negative) value = -value;
    if (!inDoubleRange(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<mpq_class> ReadExactNumber(std::string_view token) {
    const TokenNumber number = scanToken(token);
    switch (number.kind) {
        case TokenNumber::None:
            return mpq_class(0);
        case TokenNumber::Infinity:
        case TokenNumber::NotANumber:
            return std::nullopt;
        case TokenNumber::Decimal:
            return exactDecimal(number.text);
        case TokenNumber::Fraction:
            break;
    }
    const std::string_view numerator = number.text.substr(number.text.front() == '+');
    mpq_class value(integerOfDigits(numerator), integerOfDigits(number.denominator));
    if (value.get_den() == 0) return std::nullopt;
    if (value.get_num() == 0) return mpq_class(0);
    value.canonicalize();
    if (!inDoubleRange(value)) return std::nullopt;
    return value;
}

double ReadDoubleNumber(std::string_view token) {
    const TokenNumber number = scanToken(token);
    const double sign = number.negative ? -1.0 : 1.0;
    switch (number.kind) {
        case TokenNumber::None:
            return 0.0;
        case TokenNumber::Infinity:
            return sign * std::numeric_limits<double>::infinity();
        case TokenNumber::NotANumber:
            return std::numeric_limits<double>::quiet_NaN();
        case TokenNumber::Decimal:
            return decimalToDouble(number.text);
        case TokenNumber::Fraction:
            break;
    }
    const std::string_view numeratorDigits =
        number.text.substr(isDecimalDigit(number.text.front()) ? 0 : 1);
    const mpz_class numerator = integerOfDigits(numeratorDigits);
    const mpz_class denominator = integerOfDigits(number.denominator);
    // A zero part gives what the quotient of doubles gives: a signed zero, an
    // infinity or NaN.
    if (numerator == 0 || denominator == 0) {
        return sign * (numerator == 0 ? 0.0 : 1.0) / (denominator == 0 ? 0.0 : 1.0);
    }
    // The quotient rounded once, also when the parts are beyond a double.
    return sign * NearestDouble(mpq_class(numerator, denominator));
}

double NearestDouble(const mpq_class& value) {
    const int sign = sgn(value);
    if (sign == 0) return 0.0;
    const mpz_class magnitude = abs(value.get_num());
    const mpz_class& denominator = value.get_den();
    const long scale = bitLength(magnitude) - bitLength(denominator);
    if (scale > 1026) return sign * std::numeric_limits<double>::infinity();
    if (scale < -1077) return sign * 0.0;
    // value = q x 2^exponent with 2^52 <= q < 2^53, or the subnormal scale.
    long exponent = std::max(scale - 53, -1074L);
    mpz_class quotient, remainder, divisor;
    const auto divide = [&] {
        mpz_class dividend = magnitude;
        divisor = denominator;
        if (exponent < 0) {
            dividend <<= static_cast<mp_bitcnt_t>(-exponent);
        } else {
            divisor <<= static_cast<mp_bitcnt_t>(exponent);
        }
        mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), dividend.get_mpz_t(),
                    divisor.get_mpz_t());
    };
    divide();
    if (bitLength(quotient) > 53) {
        ++exponent;
        divide();
    }
    // Ties to even.
    const int half = cmp(remainder * 2, divisor);
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t()))) ++quotient;
    return sign * std::ldexp(quotient.get_d(), static_cast<int>(exponent));
}

std::string FormatExactNumber(const mpq_class& value) {
    const mpz_class& denominator = value.get_den();
    if (denominator == 1) return value.get_num().get_str();
    // A denominator 2^twos x 5^fives has a decimal of max(twos, fives) places.
    mpz_class rest = denominator;
    const mp_bitcnt_t twos = mpz_scan1(rest.get_mpz_t(), 0);
    rest >>= twos;
    mpz_class five(5);
    const mp_bitcnt_t fives = mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), five.get_mpz_t());
    if (rest != 1) return value.get_str();
    const mp_bitcnt_t places = std::max(twos, fives);
    mpz_class scaled = abs(value.get_num());
    mpz_class factor;
    mpz_ui_pow_ui(factor.get_mpz_t(), 2, places - twos);
    scaled *= factor;
    mpz_ui_pow_ui(factor.get_mpz_t(), 5, places - fives);
    scaled *= factor;
    std::string digits = scaled.get_str();
    if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, 1, '.');
    if (sgn(value) < 0) digits.insert(0, 1, '-');
    return digits;
}

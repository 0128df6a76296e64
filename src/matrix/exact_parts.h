// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/work_control.h"

// What the exact-matrix files share besides exact_matrix.h.

// Appends one element as FormatMatrixElements writes it: "x," or, at the end
// of a row, "x,\r\n". May throw std::bad_alloc.
void AppendExactElement(std::string& text, const mpq_class& value, bool lastInRow);
void AppendDoubleElement(std::string& text, double value, bool lastInRow);

// The longest element "%.17g" writes, with its comma: "-2.2250738585072014e-308,".
inline constexpr std::uint64_t kLongestDoubleElement = 25;

// count elements of text, every one by ReadDoubleNumber (missing ones 0):
// the double way of reading a matrix whatever its elements. nullopt when there
// is no room for them.
std::optional<std::vector<double>> ReadDoubleElements(std::string_view text, std::size_t count);

// Bytes that reading count elements of text exactly can hold at its peak: the
// numbers themselves and the digits of their parts, the powers of ten that an
// exponent adds included.
std::uint64_t ExactReadingBytes(std::size_t count, std::size_t textBytes);

// Bits of an integer's magnitude (0 for 0), and of a denominator as it adds
// to a product of denominators (0 for 1).
inline std::uint64_t BitLength(const mpz_class& value) {
    return sgn(value) == 0 ? 0 : mpz_sizeinbase(value.get_mpz_t(), 2);
}
inline std::uint64_t DenominatorBits(const mpz_class& value) {
    return value == 1 ? 0 : BitLength(value);
}

// An upper bound of the characters FormatExactNumber writes for a number whose
// numerator and denominator have these many bits: a decimal takes at most one
// place per bit of the denominator.
inline double ExactTextBound(double numeratorBits, double denominatorBits) {
    return 0.302 * numeratorBits + denominatorBits + 4;
}

// The determinant of the n x n integers m (row by row) by Bareiss' fraction-
// free elimination, which overwrites them; entryBits bounds the bits of every
// minor. nullopt when cancelled. May throw std::bad_alloc.
std::optional<mpz_class> BareissDeterminant(int n, std::vector<mpz_class>& m, double entryBits,
                                            WorkControl* control);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as the pages show and read them. Every conversion is independent of
// the process locale, so a comma-decimal locale never changes a digit.

// A NaN result is always the positive quiet NaN. Which NaN an operation on two
// NaNs passes on depends on operand order, and the compiler may swap the
// operands of a product or a sum; only the NaN's sign would show ("-nan").
double CanonicalNan(double value);

// printf's "%.Ng" of a double, N = digits (1 to 17).
std::string formatSignificant(double value, int digits);

// A double as every page shows it: printf's "%.15g".
std::string formatDouble(double value);

// A single as the pages show it: printf's "%g" (six significant digits).
std::string formatFloat(float value);

// printf's "%g" of a double (six significant digits), as matrix texts write it.
std::string formatShortG(double value);

// An ASCII digit. Unlike std::isdigit, defined for every char, UTF-8 bytes
// (negative chars) included.
inline constexpr bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest leading decimal number of text: an optional sign,
// digits with an optional point and fraction digits (at least one digit in
// all), then an exponent letter with an optional sign and digits, taken only
// when digits follow it. Zero when text does not begin with such a number.
// This is the part that scanf's "%g" reads.
std::size_t decimalPrefixLength(std::string_view text);

// Correctly rounded conversions of a whole decimal number as above, whatever
// the process locale: overflow gives an infinity of the number's sign, as
// scanf does; underflow gives a subnormal or a zero of that sign.
float decimalToFloat(std::string_view number);
double decimalToDouble(std::string_view number);

// Reads a number typed in a field: the whole text must be one decimal number
// (optional sign, digits with an optional point, optional exponent), blanks
// around it allowed. Anything else, and a value beyond the range of a double,
// is refused.
std::optional<double> parseDoubleField(std::string_view text);

// Reads an integer typed in a field: optional sign and decimal digits, blanks
// around it allowed, within the range of a 32-bit signed integer.
std::optional<int> parseIntField(std::string_view text);

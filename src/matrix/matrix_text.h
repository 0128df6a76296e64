// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The one text format of a matrix: numbers in row-major order, separated by
// spaces, commas, line feeds, carriage returns or full-width commas (U+FF0C).
// Texts are UTF-8.

// The element count of a matrix is a 32-bit signed integer; larger shapes are refused.
inline constexpr std::int64_t kMaxMatrixElements = INT32_MAX;

// rows x cols, or nullopt when either is negative or the count exceeds kMaxMatrixElements.
std::optional<std::size_t> ElementCount(int rows, int cols);

// Reads one token as scanf's "%g" reads a float: leading blanks skipped, then
// the longest prefix [sign] digits [. digits] [e|E [sign] digits] with at least
// one digit before the exponent; the rest is ignored. No number there reads as
// 0. Out of range: ±infinity, or zero and subnormals at the small end.
// The exception: the whole token "inf", "-inf", "nan" or "-nan", in any case,
// reads as that value, so that a written result reads back as what it shows.
float ScanMatrixToken(std::string_view token);

// The token of text at or after position from, separators skipped, as
// ParseMatrixTextInto reads them; from moves past it. nullopt when only
// separators are left.
std::optional<std::string_view> NextMatrixToken(std::string_view text, std::size_t& from);

// A token without the blanks scanf skips before a number.
std::string_view SkipScanBlanks(std::string_view token);

// Sets every value to 0, then gives the tokens of text to values 0, 1, 2, ...
// in order; surplus tokens are ignored.
void ParseMatrixTextInto(std::string_view text, std::span<float> values);

// The same into new storage of count values; nullopt when there is no room for them.
std::optional<std::vector<float>> ParseMatrixText(std::string_view text, std::size_t count);

// The longest text a rows x cols result of arithmetic on singles can have: 13
// characters an element ("-1.23457e+86,": sums and products of singles keep
// to two-digit exponents) and CR LF a row. rows x cols must be in range.
std::uint64_t MaxResultTextBytes(int rows, int cols);

// Appends one element as "%g," or, at the end of a row, as "%g,\r\n"; every
// NaN is written "nan".
void AppendMatrixElement(std::string& text, double value, bool lastInRow);

// Writes rows x cols values, row-major, every row ending in ",\r\n". nullopt
// when values holds fewer than rows x cols numbers or there is no room for the text.
std::optional<std::string> FormatMatrixText(std::span<const double> values, int rows, int cols);

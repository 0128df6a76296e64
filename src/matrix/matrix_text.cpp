// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_text.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

#include "core/number_text.h"

namespace {

// U+FF0C FULLWIDTH COMMA in UTF-8.
constexpr std::string_view kFullWidthComma = "\xEF\xBC\x8C";

bool isSingleByteSeparator(char c) { return c == ' ' || c == ',' || c == '\n' || c == '\r'; }

// Length of the separator that starts text, or 0. Tab is not a separator.
std::size_t separatorLength(std::string_view text) {
    if (isSingleByteSeparator(text.front())) return 1;
    if (text.starts_with(kFullWidthComma)) return kFullWidthComma.size();
    return 0;
}

// The white space scanf skips before a number; space, line feed and carriage
// return never reach a token.
bool isScanBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool equalIgnoringCase(std::string_view text, std::string_view lower) {
    return std::equal(text.begin(), text.end(), lower.begin(), lower.end(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

// The spellings of infinity and NaN that results are written with.
std::optional<float> writtenSpecialValue(std::string_view token) {
    const bool negative = token.starts_with('-');
    const std::string_view word = token.substr(negative ? 1 : 0);
    float value = 0.0f;
    if (equalIgnoringCase(word, "inf")) {
        value = std::numeric_limits<float>::infinity();
    } else if (equalIgnoringCase(word, "nan")) {
        value = std::numeric_limits<float>::quiet_NaN();
    } else {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<std::size_t> ElementCount(int rows, int cols) {
    if (rows < 0 || cols < 0) return std::nullopt;
    const std::int64_t count = static_cast<std::int64_t>(rows) * cols;
    if (count > kMaxMatrixElements) return std::nullopt;
    return static_cast<std::size_t>(count);
}

std::optional<std::string_view> NextMatrixToken(std::string_view text, std::size_t& from) {
    std::size_t i = from;
    while (i < text.size()) {
        const std::size_t skip = separatorLength(text.substr(i));
        if (skip == 0) break;
        i += skip;
    }
    if (i >= text.size()) {
        from = text.size();
        return std::nullopt;
    }
    const std::size_t start = i;
    while (i < text.size() && separatorLength(text.substr(i)) == 0) ++i;
    from = i;
    return text.substr(start, i - start);
}

std::string_view SkipScanBlanks(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && isScanBlank(token[i])) ++i;
    return token.substr(i);
}

float ScanMatrixToken(std::string_view token) {
    const std::string_view rest = SkipScanBlanks(token);
    if (const std::optional<float> special = writtenSpecialValue(rest)) return *special;
    const std::size_t length = decimalPrefixLength(rest);
    return length == 0 ? 0.0f : decimalToFloat(rest.substr(0, length));
}

void ParseMatrixTextInto(std::string_view text, std::span<float> values) {
    std::fill(values.begin(), values.end(), 0.0f);
    std::size_t next = 0;
    std::size_t from = 0;
    while (next < values.size()) {
        const std::optional<std::string_view> token = NextMatrixToken(text, from);
        if (!token) break;
        values[next++] = ScanMatrixToken(*token);
    }
}

std::optional<std::vector<float>> ParseMatrixText(std::string_view text, std::size_t count) {
    std::vector<float> values;
    try {
        values.resize(count);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    ParseMatrixTextInto(text, values);
    return values;
}

std::uint64_t MaxResultTextBytes(int rows, int cols) {
    constexpr std::uint64_t kLongestElement = 13;
    const auto r = static_cast<std::uint64_t>(rows);
    return r * static_cast<std::uint64_t>(cols) * kLongestElement + r * 2;
}

void AppendMatrixElement(std::string& text, double value, bool lastInRow) {
    text += formatShortG(CanonicalNan(value));
    text += lastInRow ? ",\r\n" : ",";
}

std::optional<std::string> FormatMatrixText(std::span<const double> values, int rows, int cols) {
    const std::optional<std::size_t> count = ElementCount(rows, cols);
    if (!count || values.size() < *count) return std::nullopt;
    std::string text;
    try {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                AppendMatrixElement(text, values[static_cast<std::size_t>(r) * cols + c],
                                    c == cols - 1);
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    return text;
}

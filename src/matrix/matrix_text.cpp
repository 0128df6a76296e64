#include "matrix/matrix_text.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <new>
#include <stdexcept>
#include <system_error>

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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

// Converts an unsigned decimal number, correctly rounded, whatever the locale.
float convertUnsigned(std::string_view number) {
    float value = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars does not say which end was passed; strtof does, as scanf would.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
        value = strtof_l(std::string(number).c_str(), nullptr, cLocale);
    }
    return value;
}

}  // namespace

std::optional<std::size_t> ElementCount(int rows, int cols) {
    if (rows < 0 || cols < 0) return std::nullopt;
    const std::int64_t count = static_cast<std::int64_t>(rows) * cols;
    if (count > kMaxMatrixElements) return std::nullopt;
    return static_cast<std::size_t>(count);
}

float ScanMatrixToken(std::string_view token) {
    std::size_t i = 0;
    while (i < token.size() && isScanBlank(token[i])) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    i = skipDigits(token, i);
    std::size_t digits = i - start;
    if (i < token.size() && token[i] == '.') {
        const std::size_t fraction = i + 1;
        i = skipDigits(token, fraction);
        digits += i - fraction;
    }
    if (digits == 0) return 0.0f;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < token.size() && (token[j] == '+' || token[j] == '-')) ++j;
        const std::size_t exponentEnd = skipDigits(token, j);
        if (exponentEnd > j) i = exponentEnd;
    }
    const float magnitude = convertUnsigned(token.substr(start, i - start));
    return negative ? -magnitude : magnitude;
}

void ParseMatrixTextInto(std::string_view text, std::span<float> values) {
    std::fill(values.begin(), values.end(), 0.0f);
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < text.size() && next < values.size()) {
        if (const std::size_t skip = separatorLength(text.substr(i))) {
            i += skip;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && separatorLength(text.substr(i)) == 0) ++i;
        values[next++] = ScanMatrixToken(text.substr(start, i - start));
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

void AppendMatrixElement(std::string& text, double value, bool lastInRow) {
    text += formatShortG(value);
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

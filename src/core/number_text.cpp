// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <locale.h>
#include <stdlib.h>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

std::string formatGeneral(double value, int precision) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDecimalDigit(text[i])) ++i;
    return i;
}

bool isSign(char c) { return c == '+' || c == '-'; }

// from_chars, which takes no leading '+'. When the value is out of range it
// does not say which way, so strtod in the C locale settles it.
template <class Number, class Fallback>
Number convertDecimal(std::string_view number, Fallback fallback) {
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    Number value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
        value = fallback(std::string(number).c_str(), nullptr, cLocale);
    }
    return value;
}

}  // namespace

double CanonicalNan(double value) {
    return std::isnan(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

std::string formatSignificant(double value, int digits) { return formatGeneral(value, digits); }

std::string formatDouble(double value) { return formatGeneral(value, 15); }

std::string formatFloat(float value) { return formatGeneral(static_cast<double>(value), 6); }

std::string formatShortG(double value) { return formatGeneral(value, 6); }

std::size_t decimalPrefixLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && isSign(text[i])) ++i;
    const std::size_t start = i;
    i = skipDigits(text, i);
    std::size_t digits = i - start;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = i + 1;
        i = skipDigits(text, fraction);
        digits += i - fraction;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && isSign(text[j])) ++j;
        const std::size_t exponentEnd = skipDigits(text, j);
        if (exponentEnd > j) i = exponentEnd;
    }
    return i;
}

float decimalToFloat(std::string_view number) { return convertDecimal<float>(number, strtof_l); }

double decimalToDouble(std::string_view number) { return convertDecimal<double>(number, strtod_l); }

std::optional<double> parseDoubleField(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || decimalPrefixLength(text) != text.size()) return std::nullopt;
    const double value = decimalToDouble(text);
    if (std::isinf(value)) return std::nullopt;  // beyond the range of a double
    return value;
}

std::optional<int> parseIntField(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

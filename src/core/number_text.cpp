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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// True when text is exactly: [sign] digits [. digits] [e|E [sign] digits],
// with at least one digit before the exponent.
bool isDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == text.size();
}

}  // namespace

std::string formatDouble(double value) { return formatGeneral(value, 15); }

std::string formatFloat(float value) { return formatGeneral(static_cast<double>(value), 6); }

std::string formatShortG(double value) { return formatGeneral(value, 6); }

std::optional<double> parseDoubleField(std::string_view text) {
    text = trimBlanks(text);
    if (!isDecimalNumber(text)) return std::nullopt;
    // from_chars takes no leading '+'.
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars does not say which way: a value too small reads as the
        // nearest double (zero or subnormal), one too large is refused.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
        value = strtod_l(std::string(text).c_str(), nullptr, cLocale);
        if (std::isinf(value)) return std::nullopt;
        return value;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
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

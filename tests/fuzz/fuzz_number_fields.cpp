// SPDX-License-Identifier: GPL-3.0-or-later
// The number readers and writers of the fields and matrix texts against the C
// library's own conversions in the C locale, while the process runs in a
// locale whose decimal mark is a comma: nothing may depend on that locale.
#include <locale.h>
#include <stdlib.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "core/number_text.h"
#include "fuzz_support.h"
#include "matrix/matrix_text.h"

namespace {

const locale_t kCLocale = newlocale(LC_ALL_MASK, "C", locale_t{});

bool onlyCharsOf(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

constexpr std::string_view kDecimalChars = "0123456789+-.eE";

// A field holds one decimal number with blanks around it; strtod alone would
// also take hexadecimal, inf, nan and other white space, so those characters
// are ruled out first.
std::optional<double> referenceDoubleField(std::string_view text) {
    const std::string t(trimBlanks(text));
    if (t.empty() || !onlyCharsOf(t, kDecimalChars)) return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(t.c_str(), &end, kCLocale);
    if (end != t.c_str() + t.size() || std::isinf(value)) return std::nullopt;
    return value;
}

std::optional<int> referenceIntField(std::string_view text) {
    const std::string t(trimBlanks(text));
    if (t.empty() || !onlyCharsOf(t, "0123456789+-")) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = strtol_l(t.c_str(), &end, 10, kCLocale);
    if (end != t.c_str() + t.size() || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// A matrix token: scan blanks skipped, then the longest decimal prefix that
// strtof takes; the written spellings of infinity and NaN as a whole token.
float referenceToken(std::string_view token) {
    const std::size_t start = token.find_first_not_of(" \t\n\v\f\r");
    const std::string rest(start == std::string_view::npos ? "" : token.substr(start));
    for (std::string_view special : {"inf", "-inf", "nan", "-nan"}) {
        if (equalIgnoringCase(rest, special)) return strtof_l(rest.c_str(), nullptr, kCLocale);
    }
    const std::string prefix = rest.substr(0, rest.find_first_not_of(kDecimalChars));
    return strtof_l(prefix.c_str(), nullptr, kCLocale);
}

std::string printfInC(const char* format, double value) {
    const locale_t previous = uselocale(kCLocale);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    uselocale(previous);
    return buffer;
}

template <class T>
bool sameField(const std::optional<T>& a, const std::optional<T>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || std::bit_cast<std::array<char, sizeof(T)>>(*a) ==
                     std::bit_cast<std::array<char, sizeof(T)>>(*b);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (setlocale(LC_ALL, name) != nullptr &&
            std::strcmp(localeconv()->decimal_point, ",") == 0) {
            std::fprintf(stderr, "fuzz_number_fields: process locale %s (decimal comma)\n", name);
            return 0;
        }
    }
    setlocale(LC_ALL, "C");
    std::fprintf(stderr,
                 "fuzz_number_fields: no locale with a decimal comma here (scripts/install-deps "
                 "makes de_DE.UTF-8); comparing in the C locale only\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::optional<double> field = parseDoubleField(text);
    const std::optional<double> fieldReference = referenceDoubleField(text);
    FUZZ_CHECK(sameField(field, fieldReference), "double field \"%s\": %s %.17g, strtod %s %.17g",
               printable(text).c_str(), field ? "reads" : "refuses", field.value_or(0),
               fieldReference ? "reads" : "refuses", fieldReference.value_or(0));

    const std::optional<int> integer = parseIntField(text);
    const std::optional<int> integerReference = referenceIntField(text);
    FUZZ_CHECK(sameField(integer, integerReference), "int field \"%s\": %s %d, strtol %s %d",
               printable(text).c_str(), integer ? "reads" : "refuses", integer.value_or(0),
               integerReference ? "reads" : "refuses", integerReference.value_or(0));

    const float token = ScanMatrixToken(text);
    const float tokenReference = referenceToken(text);
    FUZZ_CHECK(floatBits(token) == floatBits(tokenReference), "token \"%s\": %.9g, strtof %.9g",
               printable(text).c_str(), token, tokenReference);

    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        float single = 0;
        std::memcpy(&single, data, sizeof single);
        FUZZ_CHECK(formatDouble(value) == printfInC("%.15g", value), "%%.15g of %a: %s", value,
                   formatDouble(value).c_str());
        FUZZ_CHECK(formatShortG(value) == printfInC("%g", value), "%%g of %a: %s", value,
                   formatShortG(value).c_str());
        FUZZ_CHECK(formatFloat(single) == printfInC("%g", single), "%%g of %a: %s",
                   static_cast<double>(single), formatFloat(single).c_str());
    }
    return 0;
}

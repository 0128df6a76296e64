// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/text_description.h"

#include <cmath>
#include <cstdio>

#include "core/number_text.h"
#include "core/string_table.h"
#include "core/time_left.h"
#include "matrix/determinant.h"
#include "matrix/matrix_text.h"

namespace {

// Examples of each kind of token kept for the description.
constexpr std::size_t kExamples = 3;
// An example longer than this is cut short.
constexpr std::size_t kExampleBytes = 24;

constexpr std::string_view kFullWidthComma = "\xEF\xBC\x8C";

std::size_t separatorAt(std::string_view text, std::size_t i) {
    const char c = text[i];
    if (c == ' ' || c == ',' || c == '\n' || c == '\r') return 1;
    return text.substr(i).starts_with(kFullWidthComma) ? kFullWidthComma.size() : 0;
}

bool isScanBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A token as an example: cut short, never inside a UTF-8 character.
std::string example(std::string_view token) {
    if (token.size() <= kExampleBytes) return std::string(token);
    return std::string(Utf8Prefix(token, kExampleBytes)) + "…";
}

std::string quotedList(const std::vector<std::string>& tokens) {
    std::string list;
    for (const std::string& token : tokens) {
        if (!list.empty()) list += "、";
        list += "“" + token + "”";
    }
    return list;
}

// Bytes in the largest unit that keeps the number at least 1.
std::string amountOfMemory(std::uint64_t bytes) {
    constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB", "PB"};
    double amount = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (amount >= 1024.0 && unit + 1 < std::size(kUnits)) {
        amount /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", amount, kUnits[unit]);
    return text;
}

// Work of the expansion by minors grows as n 2^n.
double workOf(int order) { return order * std::ldexp(1.0, order); }

}  // namespace

MatrixTextReading ReadMatrixTextAsTyped(std::string_view text) {
    MatrixTextReading reading;
    for (const char c : text) reading.tabs += c == '\t' ? 1 : 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (const std::size_t skip = separatorAt(text, i)) {
            i += skip;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && separatorAt(text, i) == 0) ++i;
        ++reading.numbers;
        std::string_view token = text.substr(start, i - start);
        std::size_t blanks = 0;
        while (blanks < token.size() && isScanBlank(token[blanks])) ++blanks;
        const std::string_view rest = token.substr(blanks);
        const std::size_t read = decimalPrefixLength(rest);
        // Written results ("inf", "nan") read as what they say.
        const bool special = read == 0 && !std::isfinite(ScanMatrixToken(rest));
        if (special || read == rest.size()) continue;
        if (read == 0) {
            if (reading.notNumbers.size() < kExamples) reading.notNumbers.push_back(example(token));
        } else if (reading.partlyRead.size() < kExamples) {
            reading.partlyRead.push_back(example(token));
            reading.partlyValue.push_back(formatFloat(ScanMatrixToken(rest)));
        }
    }
    return reading;
}

std::string DescribeMatrixText(std::string_view text, std::optional<TextShape> shape) {
    if (text.empty()) return {};
    const MatrixTextReading reading = ReadMatrixTextAsTyped(text);
    const std::string count = std::to_string(reading.numbers);
    std::string description;
    const std::optional<std::size_t> used =
        shape ? ElementCount(shape->rows, shape->cols) : std::nullopt;
    if (shape && used && *used > 0) {
        const std::string rows = std::to_string(shape->rows);
        const std::string cols = std::to_string(shape->cols);
        const std::string what(LoadString(shape->determinant ? kWordDeterminant : kWordMatrix));
        const std::string needed = std::to_string(*used);
        if (reading.numbers > *used) {
            description = FormatString(kTextOnlyTheFirst, {count, rows, cols, what, needed});
        } else if (reading.numbers < *used) {
            description = FormatString(kTextMissingAreZero, {count, rows, cols, what, needed});
        } else {
            description = FormatString(kTextJustRight, {count, rows, cols, what});
        }
    } else {
        description = FormatString(kTextNumbersRead, {count});
    }
    if (!reading.notNumbers.empty()) {
        description += FormatString(kTextReadAsZero, {quotedList(reading.notNumbers)});
    }
    for (std::size_t k = 0; k < reading.partlyRead.size(); ++k) {
        description +=
            FormatString(kTextPartlyRead, {reading.partlyRead[k], reading.partlyValue[k]});
    }
    if (reading.tabs > 0) description += FormatString(kTextTabs, {std::to_string(reading.tabs)});
    return description;
}

std::string DescribeDeterminantOrder(int order, std::optional<DeterminantRun> last,
                                     std::uint64_t availableBytes) {
    if (order < kMinDeterminantOrder || order > kMaxDeterminantOrder) return {};
    const std::uint64_t bytes = DeterminantWorkingBytes(order);
    std::string description =
        FormatString(kTextOrderMemory, {std::to_string(order), amountOfMemory(bytes)});
    if (bytes > availableBytes) {
        return description +
               FormatString(kTextMoreThanTheMachineHas, {amountOfMemory(availableBytes)}) +
               std::string(LoadString(kHintDoubleComputesAtOnce));
    }
    if (!last || !(last->seconds >= 0)) return description;
    if (last->order == order) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.2f", last->seconds);
        return description + FormatString(kTextLastTook, {seconds});
    }
    const double estimate = last->seconds * workOf(order) / workOf(last->order);
    if (const std::optional<TimeLeftParts> parts = SplitTimeLeft(estimate)) {
        description += TimeLeftText(*parts) + "。";
    }
    return description;
}

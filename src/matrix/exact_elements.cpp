// SPDX-License-Identifier: GPL-3.0-or-later
// The elements of a matrix text read exactly or in double, and written back.
#include <new>
#include <stdexcept>

#include "core/number_text.h"
#include "matrix/exact_matrix.h"
#include "matrix/exact_parts.h"
#include "matrix/matrix_text.h"
#include "matrix/memory_reach.h"

void AppendExactElement(std::string& text, const mpq_class& value, bool lastInRow) {
    text += FormatExactNumber(value);
    text += lastInRow ? ",\r\n" : ",";
}

void AppendDoubleElement(std::string& text, double value, bool lastInRow) {
    text += formatSignificant(CanonicalNan(value), 17);
    text += lastInRow ? ",\r\n" : ",";
}

std::uint64_t ExactReadingBytes(std::size_t count, std::size_t textBytes) {
    // Each number: its two parts, and a heap block for each (GMP limbs plus the
    // allocator's overhead). A token of six bytes ("1e308,") can make 128
    // bytes of limbs; no token makes more than 24 per byte.
    constexpr std::uint64_t kBlocks = 2 * 32;
    return std::uint64_t{count} * (sizeof(mpq_class) + kBlocks) + std::uint64_t{textBytes} * 24;
}

std::optional<std::vector<double>> ReadDoubleElements(std::string_view text, std::size_t count) {
    std::vector<double> values;
    try {
        values.assign(count, 0.0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    std::size_t from = 0;
    for (double& value : values) {
        const std::optional<std::string_view> token = NextMatrixToken(text, from);
        if (!token) break;
        value = ReadDoubleNumber(*token);
    }
    return values;
}

std::optional<MatrixElements> ReadMatrixElements(std::string_view text, std::size_t count) {
    if (!FitsInAvailableMemory(ExactReadingBytes(count, text.size()))) return std::nullopt;
    MatrixElements elements;
    try {
        elements.rational.resize(count);
        std::size_t from = 0;
        for (mpq_class& value : elements.rational) {
            const std::optional<std::string_view> token = NextMatrixToken(text, from);
            if (!token) break;
            std::optional<mpq_class> exact = ReadExactNumber(*token);
            if (!exact) {
                elements.exact = false;
                break;
            }
            value = std::move(*exact);
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    if (elements.exact) return elements;
    std::vector<mpq_class>().swap(elements.rational);
    std::optional<std::vector<double>> values = ReadDoubleElements(text, count);
    if (!values) return std::nullopt;
    elements.inexact = std::move(*values);
    return elements;
}

std::optional<std::string> FormatMatrixElements(const MatrixElements& elements, int rows,
                                                int cols) {
    const std::optional<std::size_t> count = ElementCount(rows, cols);
    if (!count) return std::nullopt;
    if ((elements.exact ? elements.rational.size() : elements.inexact.size()) < *count) {
        return std::nullopt;
    }
    std::string text;
    try {
        for (std::size_t i = 0; i < *count; ++i) {
            const bool last = (i + 1) % static_cast<std::size_t>(cols) == 0;
            if (elements.exact) {
                AppendExactElement(text, elements.rational[i], last);
            } else {
                AppendDoubleElement(text, elements.inexact[i], last);
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    return text;
}

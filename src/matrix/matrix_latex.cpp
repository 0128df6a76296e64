// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_latex.h"

#include <cmath>
#include <new>
#include <stdexcept>

#include "core/number_text.h"
#include "matrix/matrix_text.h"

namespace {

void appendNumber(std::string& text, float value) {
    if (std::isnan(value)) {
        text += "\\mathrm{NaN}";
        return;
    }
    if (std::isinf(value)) {
        text += value < 0 ? "-\\infty" : "\\infty";
        return;
    }
    const std::string written = formatFloat(value);
    const std::size_t e = written.find('e');
    if (e == std::string::npos) {
        text += written;
        return;
    }
    // "1.5e-05" is 1.5 \times 10^{-5}: the exponent without its plus sign
    // and leading zeros.
    text.append(written, 0, e);
    text += " \\times 10^{";
    std::size_t digits = e + 1;
    if (written[digits] == '-') text += '-';
    if (written[digits] == '-' || written[digits] == '+') ++digits;
    while (digits + 1 < written.size() && written[digits] == '0') ++digits;
    text.append(written, digits);
    text += '}';
}

}  // namespace

std::optional<std::string> MatrixLatex(std::span<const float> values, int rows, int cols,
                                       bool determinant) {
    const std::optional<std::size_t> count = ElementCount(rows, cols);
    if (!count || values.size() < *count) return std::nullopt;
    const char* const environment = determinant ? "vmatrix" : "pmatrix";
    std::string text;
    try {
        text = std::string("\\begin{") + environment + "}\n";
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                if (c > 0) text += " & ";
                appendNumber(text, values[static_cast<std::size_t>(r) * cols + c]);
            }
            text += r + 1 < rows ? " \\\\\n" : "\n";
        }
        text += std::string("\\end{") + environment + "}\n";
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
    return text;
}

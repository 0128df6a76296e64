// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

// A matrix for a report, as LaTeX: "\begin{pmatrix}" (for a determinant
// "vmatrix"), one line a row with " & " between the numbers and " \\" after
// every row but the last, then "\end{pmatrix}". Each number is the single
// written with six significant digits, as the pages write them, an exponent
// as "\times 10^{n}"; infinities are "\infty", NaN is "\mathrm{NaN}".
// nullopt when values holds fewer than rows x cols numbers or there is no
// room for the text.
std::optional<std::string> MatrixLatex(std::span<const float> values, int rows, int cols,
                                       bool determinant);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_latex.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(MatrixLatex, WritesRowsAndExponentsForAReport) {
    const float values[] = {1, -2.5f, 1.5e-5f, 3e10f, INFINITY, NAN};
    EXPECT_EQ(*MatrixLatex(values, 2, 3, false),
              "\\begin{pmatrix}\n1 & -2.5 & 1.5 \\times 10^{-5} \\\\\n"
              "3 \\times 10^{10} & \\infty & \\mathrm{NaN}\n\\end{pmatrix}\n");
    EXPECT_EQ(*MatrixLatex(values, 1, 2, true), "\\begin{vmatrix}\n1 & -2.5\n\\end{vmatrix}\n");
    EXPECT_FALSE(MatrixLatex(values, 3, 3, true).has_value());
}

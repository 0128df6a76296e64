// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/work_control.h"
#include "matrix/compute_status.h"
#include "matrix/matrix_arithmetic.h"
#include "matrix/matrix_store.h"

// Matrices as double precision reads them: every element an exact rational
// number when the text allows, so that homework on integers, decimals and
// fractions comes out exact. The separators and the order of the elements
// are those of the matrix text (matrix_text.h).

// One element token read exactly: an integer, a decimal with an optional
// exponent ("0.1", "-2.5e-3") or a fraction of two integers joined by "/"
// ("1/3", "-7/12"), with scanf's leading blanks and its rule that a token
// reads its longest leading number (the rest ignored; no number at all is 0).
// nullopt when the token is no finite rational: inf, nan, a zero denominator,
// or a number beyond the range of a double (1e999999), which is never made
// into an enormous exact number.
std::optional<mpq_class> ReadExactNumber(std::string_view token);

// The same token in double: the longest leading number as strtod reads it,
// inf and nan included, a fraction as the quotient of its two parts.
double ReadDoubleNumber(std::string_view token);

// An exact number as results write it: an integer in full, a number with a
// finite decimal expansion as that decimal ("0.3", "-0.0025"), any other as
// the reduced fraction "p/q".
std::string FormatExactNumber(const mpq_class& value);

// The double nearest to an exact number (ties to even), ±infinity or a signed
// zero beyond the range; what ReadDoubleNumber gives for a token that
// ReadExactNumber reads as value.
double NearestDouble(const mpq_class& value);

// The elements of a matrix text, count of them in row-major order (missing
// ones 0, surplus ones ignored): exact when every one of them reads as a
// finite rational, otherwise all of them in double (the double way).
struct MatrixElements {
    bool exact = true;
    std::vector<mpq_class> rational;  // when exact
    std::vector<double> inexact;      // otherwise
};

// nullopt when there is no room for count elements.
std::optional<MatrixElements> ReadMatrixElements(std::string_view text, std::size_t count);

// rows x cols elements written in the matrix text's layout, every element
// followed by "," and every row ending in ",\r\n": exact ones by
// FormatExactNumber, doubles with 17 significant digits (so that they read
// back as the same double; nan and inf as such). nullopt when there is no
// room for the text.
std::optional<std::string> FormatMatrixElements(const MatrixElements& elements, int rows, int cols);

// The matrix page's operation in double precision: exact when both operands
// are, otherwise in double (inDouble). The checks, statuses, progress and
// cancelling are those of Calculate; a result whose storage cannot be had
// gives NoMemory.
MatrixResult CalculateExactly(const MatrixStore& store, int first, int second,
                              MatrixOperation operation, WorkControl* control = nullptr);

// A determinant in double precision: exact (Bareiss' fraction-free
// elimination) when every element is a finite rational, otherwise LU with
// partial pivoting in double.
struct ExactDeterminant {
    ComputeStatus status = ComputeStatus::BadOperands;
    bool exact = true;
    mpq_class value;     // when exact
    double inexact = 0;  // otherwise
};

// Of the n x n matrix that the text holds (as ReadMatrixElements reads it).
// Orders outside 2 to 50 give BadOperands.
ExactDeterminant DeterminantOfText(int n, std::string_view text, WorkControl* control = nullptr);

// The same of elements already read (n x n of them).
ExactDeterminant DeterminantOfElements(int n, const MatrixElements& elements,
                                       WorkControl* control = nullptr);

// The determinant as the result field shows it: an exact integer in full;
// any other exact value as its decimal correctly rounded to 15 significant
// digits; a double one with 17.
std::string DeterminantFieldText(const ExactDeterminant& d);

// The determinant as mexora-cli prints it and Ctrl+C copies it: an exact
// value by FormatExactNumber, a double one with 17 significant digits.
std::string DeterminantExactText(const ExactDeterminant& d);

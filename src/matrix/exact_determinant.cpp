// SPDX-License-Identifier: GPL-3.0-or-later
// Determinants in double precision: exact by Bareiss' fraction-free
// elimination, or by LU with partial pivoting in double.
#include <cmath>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>

#include "matrix/determinant.h"
#include "matrix/exact_matrix.h"
#include "matrix/exact_parts.h"
#include "matrix/memory_reach.h"

namespace {

// The rows brought to integers: row i times the least common multiple of its
// denominators. det(elements) = det(rows) / scale.
struct IntegerRows {
    std::vector<mpz_class> m;  // n x n, row by row
    mpz_class scale = 1;
    std::uint64_t bits = 0;  // the sum over the rows of their largest entry's bits
};

IntegerRows integerRows(int n, const std::vector<mpq_class>& elements) {
    IntegerRows rows;
    const auto size = static_cast<std::size_t>(n);
    rows.m.resize(size * size);
    mpz_class multiple;
    for (std::size_t i = 0; i < size; ++i) {
        multiple = 1;
        for (std::size_t j = 0; j < size; ++j) {
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(),
                    elements[i * size + j].get_den_mpz_t());
        }
        std::uint64_t most = 0;
        for (std::size_t j = 0; j < size; ++j) {
            const mpq_class& x = elements[i * size + j];
            mpz_class& y = rows.m[i * size + j];
            mpz_divexact(y.get_mpz_t(), multiple.get_mpz_t(), x.get_den_mpz_t());
            y *= x.get_num();
            most = std::max(most, BitLength(y));
        }
        rows.scale *= multiple;
        rows.bits += most;
    }
    return rows;
}

// The most that elimination holds: every entry is a minor of the integer
// rows, within Hadamard's bound of the product of their row lengths.
std::uint64_t eliminationBytes(int n, const IntegerRows& rows) {
    const auto size = static_cast<std::uint64_t>(n);
    const double hadamard = static_cast<double>(rows.bits) + 0.5 * n * std::log2(n) + 1;
    return size * size * (sizeof(mpz_class) + 32 + static_cast<std::uint64_t>(hadamard / 8));
}

// Bareiss' elimination in place: after step k every entry (i, j) below and to
// the right of the pivot is the minor of rows 0..k, i and columns 0..k, j,
// so the division by the previous pivot is exact. Returns the determinant of
// the rows, or nullopt when cancelled.
std::optional<mpz_class> bareiss(int n, std::vector<mpz_class>& m, WorkControl* control) {
    const auto size = static_cast<std::size_t>(n);
    const auto at = [&](std::size_t i, std::size_t j) -> mpz_class& { return m[i * size + j]; };
    double total = 0;
    for (std::size_t k = 0; k + 1 < size; ++k)
        total += static_cast<double>((size - k - 1) * (size - k - 1));
    double done = 0;
    int sign = 1;
    mpz_srcptr previous = nullptr;
    for (std::size_t k = 0; k + 1 < size; ++k) {
        if (control != nullptr) {
            control->reportFraction(done / total);
            if (control->cancelRequested()) return std::nullopt;
        }
        if (sgn(at(k, k)) == 0) {
            std::size_t p = k + 1;
            while (p < size && sgn(at(p, k)) == 0) ++p;
            if (p == size) return mpz_class(0);
            for (std::size_t j = k; j < size; ++j)
                mpz_swap(at(k, j).get_mpz_t(), at(p, j).get_mpz_t());
            sign = -sign;
        }
        mpz_srcptr pivot = at(k, k).get_mpz_t();
        for (std::size_t i = k + 1; i < size; ++i) {
            mpz_srcptr multiplier = at(i, k).get_mpz_t();
            const bool zeroMultiplier = mpz_sgn(multiplier) == 0;
            for (std::size_t j = k + 1; j < size; ++j) {
                mpz_ptr entry = at(i, j).get_mpz_t();
                if (zeroMultiplier && mpz_sgn(entry) == 0) continue;
                mpz_mul(entry, entry, pivot);
                if (!zeroMultiplier) mpz_submul(entry, multiplier, at(k, j).get_mpz_t());
                if (previous != nullptr) mpz_divexact(entry, entry, previous);
            }
        }
        previous = pivot;
        done += static_cast<double>((size - k - 1) * (size - k - 1));
    }
    if (control != nullptr) control->reportFraction(1.0);
    mpz_class value = at(size - 1, size - 1);
    if (sign < 0) value = -value;
    return value;
}

ComputeStatus exactDeterminant(int n, const std::vector<mpq_class>& elements, ExactDeterminant& d,
                               WorkControl* control) {
    IntegerRows rows = integerRows(n, elements);
    if (!FitsInAvailableMemory(eliminationBytes(n, rows))) return ComputeStatus::NoMemory;
    std::optional<mpz_class> value = bareiss(n, rows.m, control);
    if (!value) return ComputeStatus::Cancelled;
    d.value = mpq_class(*value, rows.scale);
    d.value.canonicalize();
    return ComputeStatus::Done;
}

// LU with partial pivoting. The largest magnitude is the pivot, a NaN before
// any number, so that NaN and infinities flow into the value.
double luDeterminant(int n, std::vector<double> a) {
    const auto size = static_cast<std::size_t>(n);
    double value = 1.0;
    for (std::size_t k = 0; k < size; ++k) {
        std::size_t p = k;
        double largest = std::fabs(a[k * size + k]);
        for (std::size_t i = k + 1; i < size; ++i) {
            const double magnitude = std::fabs(a[i * size + k]);
            if (!(magnitude <= largest)) {
                p = i;
                largest = magnitude;
            }
        }
        if (p != k) {
            for (std::size_t j = k; j < size; ++j) std::swap(a[k * size + j], a[p * size + j]);
            value = -value;
        }
        const double pivot = a[k * size + k];
        value *= pivot;
        if (pivot == 0.0) continue;  // a zero column: the value is 0, or NaN
        for (std::size_t i = k + 1; i < size; ++i) {
            const double factor = a[i * size + k] / pivot;
            for (std::size_t j = k + 1; j < size; ++j) a[i * size + j] -= factor * a[k * size + j];
        }
    }
    return value;
}

}  // namespace

ExactDeterminant DeterminantOfElements(int n, const MatrixElements& elements,
                                       WorkControl* control) {
    ExactDeterminant d;
    if (n < kMinDeterminantOrder || n > kMaxDeterminantOrder) return d;
    const auto count = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    d.exact = elements.exact;
    if ((d.exact ? elements.rational.size() : elements.inexact.size()) < count) return d;
    try {
        if (d.exact) {
            d.status = exactDeterminant(n, elements.rational, d, control);
        } else {
            d.inexact = luDeterminant(
                n, std::vector<double>(elements.inexact.begin(), elements.inexact.begin() + count));
            d.status = ComputeStatus::Done;
        }
    } catch (const std::bad_alloc&) {
        d.status = ComputeStatus::NoMemory;
    } catch (const std::length_error&) {
        d.status = ComputeStatus::NoMemory;
    }
    return d;
}

ExactDeterminant DeterminantOfText(int n, std::string_view text, WorkControl* control) {
    if (n < kMinDeterminantOrder || n > kMaxDeterminantOrder) return {};
    const std::optional<MatrixElements> elements =
        ReadMatrixElements(text, static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    if (!elements) {
        ExactDeterminant d;
        d.status = ComputeStatus::NoMemory;
        return d;
    }
    return DeterminantOfElements(n, *elements, control);
}

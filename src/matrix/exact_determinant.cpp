// SPDX-License-Identifier: GPL-3.0-or-later
// Determinants in double precision: exact by Bareiss' fraction-free
// elimination, or by LU with partial pivoting in double.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

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
};

IntegerRows integerRows(int n, const std::vector<mpq_class>& elements) {
    IntegerRows rows;
    const auto size = static_cast<std::size_t>(n);
    rows.m.resize(size * size);
    mpz_class multiple;
    for (std::size_t i = 0; i < size; ++i) {
        multiple = 1;
        for (std::size_t j = 0; j < size; ++j) {
            const mpz_class& denominator = elements[i * size + j].get_den();
            if (denominator != 1) {
                mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), denominator.get_mpz_t());
            }
        }
        for (std::size_t j = 0; j < size; ++j) {
            const mpq_class& x = elements[i * size + j];
            mpz_class& y = rows.m[i * size + j];
            if (multiple == 1) {
                y = x.get_num();
            } else {
                mpz_divexact(y.get_mpz_t(), multiple.get_mpz_t(), x.get_den_mpz_t());
                y *= x.get_num();
            }
        }
        if (multiple != 1) rows.scale *= multiple;
    }
    return rows;
}

// Bits that bound every entry during elimination, each a minor of the rows:
// Hadamard's bound, the product of the row lengths.
double hadamardBits(int n, const std::vector<mpz_class>& m) {
    const auto size = static_cast<std::size_t>(n);
    double bits = 0;
    for (std::size_t i = 0; i < size; ++i) {
        std::uint64_t most = 0;
        for (std::size_t j = 0; j < size; ++j) most = std::max(most, BitLength(m[i * size + j]));
        bits += static_cast<double>(most) + 0.5 * std::log2(static_cast<double>(n));
    }
    return bits;
}

// The most that elimination holds.
std::uint64_t eliminationBytes(int n, double entryBits) {
    const auto size = static_cast<std::uint64_t>(n);
    return size * size * (sizeof(mpz_class) + 32 + static_cast<std::uint64_t>(entryBits / 8 + 8));
}

ComputeStatus exactDeterminant(int n, const std::vector<mpq_class>& elements, ExactDeterminant& d,
                               WorkControl* control) {
    IntegerRows rows = integerRows(n, elements);
    const double entryBits = hadamardBits(n, rows.m);
    if (!FitsInAvailableMemory(eliminationBytes(n, entryBits))) return ComputeStatus::NoMemory;
    std::optional<mpz_class> value = BareissDeterminant(n, rows.m, entryBits, control);
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

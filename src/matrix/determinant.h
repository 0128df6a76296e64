// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "core/number_text.h"
#include "core/work_control.h"
#include "matrix/compute_status.h"

// The orders the determinant page takes.
inline constexpr int kMinDeterminantOrder = 2;
inline constexpr int kMaxDeterminantOrder = 50;

// The determinant of an n x n single-precision matrix (row-major) by cofactor
// expansion along the first column, exactly as written: order 2 is
// a00 a11 - a01 a10 in double precision, returned unrounded; for n >= 3 each
// term d x a(i,0) (d the minor's value) is formed in double, added (+ - + ...
// from the top row down) to a single-precision accumulator in double and
// rounded back to single after every term. Every term is computed.
// This literal recursion costs n!/2 two-by-two determinants; it is the
// reference that Determinant must match bit for bit.
// Orders outside 2 to 50 or fewer than n x n values give NaN.
double ExpandDeterminant(int n, std::span<const float> matrix);

struct DeterminantResult {
    ComputeStatus status = ComputeStatus::BadOperands;
    double value = 0.0;  // single-precision for n >= 3, as ExpandDeterminant
};

// The same value, bit for bit, as ExpandDeterminant, in O(2^n n) time: each
// distinct minor is computed once. Orders outside 2 to 50 or fewer than n x n
// values give BadOperands; working storage (DeterminantWorkingBytes) beyond the
// available memory, or that cannot be had, gives NoMemory.
// Reports progress and stops (Cancelled) when asked to.
DeterminantResult Determinant(int n, std::span<const float> matrix, WorkControl* control = nullptr);

// The working storage Determinant takes for order n, in bytes.
std::uint64_t DeterminantWorkingBytes(int n);

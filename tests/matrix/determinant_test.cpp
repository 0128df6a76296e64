// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/determinant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Matrix = std::vector<float>;

// Both methods, which must agree; the value is the fast one's.
double determinant(int n, const Matrix& m) {
    const DeterminantResult fast = Determinant(n, m);
    EXPECT_EQ(fast.status, ComputeStatus::Done);
    const double literal = ExpandDeterminant(n, m);
    EXPECT_TRUE(fast.value == literal || (std::isnan(fast.value) && std::isnan(literal)));
    return fast.value;
}

TEST(Determinant, SmallExamples) {
    EXPECT_EQ(determinant(2, {1, 2, 3, 4}), -2.0);
    EXPECT_EQ(determinant(3, {1, 2, 3, 4, 5, 6, 7, 8, 10}), -3.0);
    EXPECT_EQ(determinant(3, {1, 2, 3, 0, 0, 0, 0, 0, 0}), 0.0);
    Matrix identity(25, 0.0f);
    for (int i = 0; i < 5; ++i) identity[i * 5 + i] = 1.0f;
    EXPECT_EQ(determinant(5, identity), 1.0);
}

TEST(Determinant, SwappingTwoRowsChangesTheSign) {
    const Matrix m{2, -1, 0, 3, 1, 4, -2, 5, 1, 0, 3, 2, 7, 1, -1, 6};
    Matrix swapped = m;
    for (int c = 0; c < 4; ++c) std::swap(swapped[c], swapped[8 + c]);
    const double value = determinant(4, m);
    EXPECT_NE(value, 0.0);
    EXPECT_EQ(determinant(4, swapped), -value);
}

TEST(Determinant, OrderTwoIsAnUnroundedDouble) {
    // 4097 * 4097 = 16785409 needs 25 bits; a single could not hold it.
    EXPECT_EQ(determinant(2, {4097, 0, 0, 4097}), 16785409.0);
}

TEST(Determinant, AccumulatorIsRoundedToSingleAfterEveryTerm) {
    // Terms 2^24, +1, +1: exactly 2^24 + 2, but each partial sum 2^24 + 1
    // rounds back to 2^24 in single precision.
    EXPECT_EQ(determinant(3, {1, 0, 1, 1, -1, -16777216, 1, 1, 0}), 16777216.0);
}

TEST(Determinant, TwoByTwoMinorsEnterTheSumUnrounded) {
    // The minor of row 1 is -16777217 (24929 * 673), not a single; kept as a
    // double, 1 + 16777217 gives 16777218 exactly.
    EXPECT_EQ(determinant(3, {1, 0, 24929, 1, 1, 0, 0, 673, 1}), 16777218.0);
}

TEST(Determinant, EveryTermIsComputedEvenWhenItsFactorIsZero) {
    // The minors of rows 1 and 2 hold the infinity of row 0; times their zero
    // factors they make NaN. Skipping those terms would give 1.
    const float inf = INFINITY;
    EXPECT_TRUE(std::isnan(determinant(3, {1, inf, 0, 0, 1, 0, 0, 0, 1})));
}

TEST(Determinant, OrdersOutsideTwoToFiftyAreRefused) {
    const Matrix m(51 * 51, 1.0f);
    EXPECT_EQ(Determinant(1, m).status, ComputeStatus::BadOperands);
    EXPECT_EQ(Determinant(51, m).status, ComputeStatus::BadOperands);
    EXPECT_EQ(Determinant(3, Matrix(8, 1.0f)).status, ComputeStatus::BadOperands);
    EXPECT_TRUE(std::isnan(ExpandDeterminant(1, m)));
    EXPECT_TRUE(std::isnan(ExpandDeterminant(3, Matrix(8, 1.0f))));
}

TEST(Determinant, OrderFiftyNeedsMoreThanAnyMemory) {
    const Matrix m(50 * 50, 1.0f);
    EXPECT_GT(DeterminantWorkingBytes(50), std::uint64_t{1} << 49);
    EXPECT_EQ(Determinant(50, m).status, ComputeStatus::NoMemory);
}

TEST(Determinant, WorkingStorageIsTwoMiddleLayers) {
    // C(24,12) + C(24,11) singles and C(24,2) doubles.
    EXPECT_EQ(DeterminantWorkingBytes(24), (2704156u + 2496144u) * 4u + 276u * 8u);
    EXPECT_EQ(DeterminantWorkingBytes(2), 8u);
}

TEST(Determinant, ReportsProgressAndStopsWhenCancelled) {
    Matrix m(18 * 18);
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<float>(i % 7) - 3.0f;
    WorkControl control;
    const DeterminantResult done = Determinant(18, m, &control);
    EXPECT_EQ(done.status, ComputeStatus::Done);
    EXPECT_EQ(control.fraction(), 1.0);

    WorkControl cancelled;
    cancelled.requestCancel();
    EXPECT_EQ(Determinant(18, m, &cancelled).status, ComputeStatus::Cancelled);
    EXPECT_EQ(Determinant(3, Matrix{1, 2, 3, 4, 5, 6, 7, 8, 10}, &cancelled).status,
              ComputeStatus::Cancelled);
}

}  // namespace

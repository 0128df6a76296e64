// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_arithmetic.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/string_ids.h"
#include "core/thread_pool.h"
#include "matrix/matrix_text.h"
#include "two_operands.h"

namespace {

using MatrixArithmetic = TwoOperands<&Calculate>;

TEST_F(MatrixArithmetic, ProductOfRowAndColumnIsOneByOne) {
    const MatrixResult result = run({1, 3, "1 2 3"}, {3, 1, "4 5 6"}, MatrixOperation::Product);
    EXPECT_EQ(result.status, ComputeStatus::Done);
    EXPECT_EQ(result.text, "32,\r\n");
    EXPECT_EQ(result.nRows, 1);
    EXPECT_EQ(result.nCols, 1);
}

TEST_F(MatrixArithmetic, ProductOfColumnAndRowIsOuter) {
    const MatrixResult result = run({3, 1, "1 2 3"}, {1, 3, "4 5 6"}, MatrixOperation::Product);
    EXPECT_EQ(result.text, "4,5,6,\r\n8,10,12,\r\n12,15,18,\r\n");
    EXPECT_EQ(result.nRows, 3);
    EXPECT_EQ(result.nCols, 3);
}

TEST_F(MatrixArithmetic, ProductAccumulatesInDoubleWithIncreasingK) {
    // 1 + 2^60 - 2^60: in this order the 1 is lost, in the reverse order it stays.
    const MatrixResult result = run({1, 3, "1 1073741824 -1073741824"},
                                    {3, 1, "1 1073741824 1073741824"}, MatrixOperation::Product);
    EXPECT_EQ(result.text, "0,\r\n");
    // 4097^2 = 16785409 needs 25 bits: kept exactly in double, it leaves the 1.
    EXPECT_EQ(run({1, 2, "4097 -1"}, {2, 1, "4097 16785408"}, MatrixOperation::Product).text,
              "1,\r\n");
}

TEST_F(MatrixArithmetic, SumOfNearestSinglesShowsSixDigits) {
    EXPECT_EQ(run({1, 1, "0.1"}, {1, 1, "0.2"}, MatrixOperation::Sum).text, "0.3,\r\n");
}

TEST_F(MatrixArithmetic, MissingElementsReadAsZero) {
    const MatrixResult result = run({2, 2, "1 2"}, {2, 2, "1 1 1 1"}, MatrixOperation::Sum);
    EXPECT_EQ(result.text, "2,3,\r\n1,1,\r\n");
}

TEST_F(MatrixArithmetic, DifferenceOfAMatrixWithItselfIsZero) {
    store.write(3, {2, 2, "1.5 -2 1e30 7"});
    const MatrixResult result = Calculate(store, 3, 3, MatrixOperation::Difference);
    EXPECT_EQ(result.text, "0,0,\r\n0,0,\r\n");
}

TEST_F(MatrixArithmetic, DifferenceSubtractsTheSecond) {
    EXPECT_EQ(run({1, 2, "5 1"}, {1, 2, "2 3"}, MatrixOperation::Difference).text, "3,-2,\r\n");
}

TEST_F(MatrixArithmetic, InfinitiesAndNanFlowIntoTheText) {
    // inf - inf: the sign of the NaN is the hardware's.
    const std::string text = run({1, 2, "1e39 1e39"}, {1, 2, "1 -1e39"}, MatrixOperation::Sum).text;
    EXPECT_TRUE(text == "inf,nan,\r\n" || text == "inf,-nan,\r\n") << text;
}

TEST(MatrixShapes, SumNeedsEqualShapesProductNeedsMatchingInnerSize) {
    const MatrixSlot oneByTwo{1, 2, "1 2"};
    const MatrixSlot twoByOne{2, 1, "1 2"};
    const MatrixSlot twoByThree{2, 3, "1"};
    EXPECT_FALSE(ShapesFit(MatrixOperation::Sum, oneByTwo, twoByOne));
    EXPECT_FALSE(ShapesFit(MatrixOperation::Difference, oneByTwo, twoByOne));
    EXPECT_TRUE(ShapesFit(MatrixOperation::Product, oneByTwo, twoByOne));
    EXPECT_FALSE(ShapesFit(MatrixOperation::Product, twoByThree, twoByThree));
    EXPECT_EQ(ShapeMessageId(MatrixOperation::Sum), kMsgSumShapes);
    EXPECT_EQ(ShapeMessageId(MatrixOperation::Difference), kMsgDifferenceShapes);
    EXPECT_EQ(ShapeMessageId(MatrixOperation::Product), kMsgProductShapes);
}

TEST_F(MatrixArithmetic, OperandsThatDoNotFitAreNeverRead) {
    EXPECT_EQ(run({2, 3, "1"}, {2, 3, "1"}, MatrixOperation::Product).status,
              ComputeStatus::BadOperands);
    EXPECT_EQ(Calculate(store, 0, 1000, MatrixOperation::Sum).status, ComputeStatus::BadOperands);
    EXPECT_EQ(run({-2, 1, "1"}, {-2, 1, "1"}, MatrixOperation::Sum).status,
              ComputeStatus::BadOperands);
}

TEST_F(MatrixArithmetic, ElementCountsBeyondRangeAreRefused) {
    // Each operand is fine; the 100000 x 100000 result is not.
    EXPECT_EQ(run({100000, 1, "1"}, {1, 100000, "1"}, MatrixOperation::Product).status,
              ComputeStatus::NoMemory);
    EXPECT_EQ(run({50000, 50000, "1"}, {50000, 50000, "1"}, MatrixOperation::Sum).status,
              ComputeStatus::NoMemory);
}

TEST_F(MatrixArithmetic, TheLongestElementsFillTheTextBoundExactly) {
    // The memory check counts this bound; a longer text would outgrow what it counted.
    const MatrixResult result =
        run({1, 2, "-3.40282e38 -1.23457e-37"}, {1, 2, "-1e-45 0"}, MatrixOperation::Sum);
    EXPECT_EQ(result.text, "-3.40282e+38,-1.23457e-37,\r\n");
    EXPECT_EQ(result.text.size(), MaxResultTextBytes(1, 2));
}

TEST_F(MatrixArithmetic, CancelledWorkHasNoResult) {
    WorkControl control;
    control.requestCancel();
    const MatrixResult result =
        run({300, 300, "1 2 3"}, {300, 300, "4 5 6"}, MatrixOperation::Product, &control);
    EXPECT_EQ(result.status, ComputeStatus::Cancelled);
    EXPECT_TRUE(result.text.empty());
}

TEST_F(MatrixArithmetic, ProgressReachesTheEnd) {
    WorkControl control;
    const MatrixResult result =
        run({200, 200, "1"}, {200, 200, "1"}, MatrixOperation::Product, &control);
    EXPECT_EQ(result.status, ComputeStatus::Done);
    EXPECT_EQ(control.fraction(), 1.0);
}

// Two rows per task, and one, on a pool spread from the start.
TEST_F(MatrixArithmetic, ProductOnThreadsWritesTheSameText) {
    std::string first, second;
    const char* const values[] = {"1e39", "-0", "3e38", "-1e39", "0.1", "7", "-2.5e-3", "0"};
    for (int i = 0; i < 23 * 17; ++i) (first += values[i * 7 % 8]) += ' ';
    for (int i = 0; i < 17 * 19; ++i) (second += values[i * 5 % 8]) += ' ';
    const auto product = [&](ThreadPool& pool, WorkControl* control = nullptr) {
        const UsingThreadPool use(pool);
        return run({23, 17, first}, {17, 19, second}, MatrixOperation::Product, control);
    };
    ThreadPool serial(1);
    const std::string expected = product(serial).text;
    for (std::size_t divisor : {std::size_t{256}, std::size_t{1} << 30}) {
        ThreadPool spread(4, {.serialHead = std::chrono::nanoseconds(0), .taskDivisor = divisor});
        EXPECT_EQ(product(spread).text, expected);
        WorkControl progress;
        EXPECT_EQ(product(spread, &progress).status, ComputeStatus::Done);
        EXPECT_EQ(progress.fraction(), 1.0);
        WorkControl cancelled;
        cancelled.requestCancel();
        const MatrixResult result = product(spread, &cancelled);
        EXPECT_EQ(result.status, ComputeStatus::Cancelled);
        EXPECT_TRUE(result.text.empty());
    }
}

}  // namespace

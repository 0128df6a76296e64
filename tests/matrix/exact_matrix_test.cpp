// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/exact_matrix.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/thread_pool.h"
#include "two_operands.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct TokenRow {
    const char* token;
    const char* exact;  // as FormatExactNumber writes it; nullptr: refused
    double inDouble;
};

const TokenRow kTokens[] = {
    {"42", "42", 42},
    {"\t-2.5e-3", "-0.0025", -0.0025},
    {"0.1", "0.1", 0.1},
    {"3/10", "0.3", 0.3},
    {"-7/12", "-7/12", -7.0 / 12},
    {"1/3abc", "1/3", 1.0 / 3},
    {"1/x", "1", 1},
    {"1.5/2", "1.5", 1.5},
    {"+2/4", "0.5", 0.5},
    {"x", "0", 0},
    {"0e999999", "0", 0},
    {"5/0", nullptr, kInf},
    {"-INF", nullptr, -kInf},
    {"1e999999", nullptr, kInf},
    {"-1e-999999", nullptr, -0.0},
    {"1.8e308", nullptr, kInf},
};

TEST(ExactNumber, ReadsEachTokenExactlyOrRefusesIt) {
    for (const TokenRow& row : kTokens) {
        const std::optional<mpq_class> exact = ReadExactNumber(row.token);
        EXPECT_EQ(exact ? FormatExactNumber(*exact) : "refused",
                  row.exact != nullptr ? row.exact : "refused")
            << row.token;
        const double inDouble = ReadDoubleNumber(row.token);
        EXPECT_EQ(inDouble, row.inDouble) << row.token;
        EXPECT_EQ(std::signbit(inDouble), std::signbit(row.inDouble)) << row.token;
        if (exact) {
            EXPECT_EQ(NearestDouble(*exact), inDouble) << row.token;
        }
    }
    // The largest and the least double as "%.17g" writes them.
    EXPECT_EQ(NearestDouble(*ReadExactNumber("-1.7976931348623157e308")),
              -std::numeric_limits<double>::max());
    EXPECT_EQ(NearestDouble(*ReadExactNumber("4.9406564584124654e-324")),
              std::numeric_limits<double>::denorm_min());
}

TEST(ExactElements, ExactUnlessAnElementIsNoFiniteRational) {
    const auto written = [](const char* text, int rows, int cols) {
        const std::optional<MatrixElements> elements =
            ReadMatrixElements(text, static_cast<std::size_t>(rows) * cols);
        return (elements->exact ? "exact " : "double ") +
               *FormatMatrixElements(*elements, rows, cols);
    };
    EXPECT_EQ(written("1\xEF\xBC\x8C-2/3,0.5\r\n7 9", 2, 2), "exact 1,-2/3,\r\n0.5,7,\r\n");
    EXPECT_EQ(written("1\t2 3", 1, 3), "exact 1,3,0,\r\n");
    EXPECT_EQ(written("1/3 inf nan", 1, 3), "double 0.33333333333333331,inf,nan,\r\n");
    EXPECT_EQ(written("1e999999 1/0", 1, 2), "double inf,inf,\r\n");
}

using ExactArithmetic = TwoOperands<&CalculateExactly>;

TEST_F(ExactArithmetic, ExactWhenBothOperandsAre) {
    const MatrixResult product =
        run({2, 2, "5678 0 0 1"}, {2, 2, "1234 1 0 1"}, MatrixOperation::Product);
    EXPECT_FALSE(product.inDouble);
    EXPECT_EQ(product.text, "7006652,5678,\r\n0,1,\r\n");
    EXPECT_EQ(run({1, 3, "1/3 0.1 1/2"}, {3, 1, "1/2 3 -4/3"}, MatrixOperation::Product).text,
              "-0.2,\r\n");
    EXPECT_EQ(run({1, 2, "1/3 0.1"}, {1, 2, "1/6 0.2"}, MatrixOperation::Sum).text, "0.5,0.3,\r\n");
    const MatrixResult inDouble =
        run({1, 2, "1/3 1e999999"}, {1, 2, "1/3 0"}, MatrixOperation::Difference);
    EXPECT_TRUE(inDouble.inDouble);
    EXPECT_EQ(inDouble.text, "0,inf,\r\n");
}

TEST_F(ExactArithmetic, ChecksShapesAndStopsWhenCancelled) {
    EXPECT_EQ(run({2, 3, "1"}, {2, 3, "1"}, MatrixOperation::Product).status,
              ComputeStatus::BadOperands);
    EXPECT_EQ(run({100000, 1, "1"}, {1, 100000, "1"}, MatrixOperation::Product).status,
              ComputeStatus::NoMemory);
    WorkControl progress;
    run({30, 30, "1/3"}, {30, 30, "2"}, MatrixOperation::Product, &progress);
    EXPECT_EQ(progress.fraction(), 1.0);
    ThreadPool serial(1);  // rows one by one, points after each
    const UsingThreadPool use(serial);
    WorkControl control;
    control.cancelAfterPoints(40);  // two rows of 20
    const MatrixResult cancelled =
        run({20, 20, "1/3 2/7 5"}, {20, 20, "1/11"}, MatrixOperation::Product, &control);
    EXPECT_EQ(cancelled.status, ComputeStatus::Cancelled);
    EXPECT_TRUE(cancelled.text.empty());
    EXPECT_EQ(control.points(), 40u);
}

TEST_F(ExactArithmetic, ProductOnThreadsWritesTheSameText) {
    std::string first, second;
    for (int i = 0; i < 23 * 17; ++i)
        first += std::to_string(i % 13 - 6) + "/" + std::to_string(i % 7 + 1) + ' ';
    for (int i = 0; i < 17 * 19; ++i) second += std::to_string(i % 11) + ".5 ";
    const auto product = [&](ThreadPool& pool) {
        const UsingThreadPool use(pool);
        return run({23, 17, first}, {17, 19, second}, MatrixOperation::Product).text;
    };
    ThreadPool serial(1);
    ThreadPool spread(4, {.serialHead = std::chrono::nanoseconds(0)});
    EXPECT_EQ(product(spread), product(serial));
}

// The same generator in the known value's computation: a linear congruential
// sequence, elements (x >> 16) mod 199 - 99.
std::string seededMatrix(int n, std::uint32_t state) {
    std::string text;
    for (int i = 0; i < n * n; ++i) {
        state = state * 1664525u + 1013904223u;
        text += std::to_string(static_cast<int>((state >> 16) % 199) - 99) + ' ';
    }
    return text;
}

std::string hilbert(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) text += "1/" + std::to_string(i + j + 1) + ' ';
    }
    return text;
}

TEST(ExactDeterminant, IsExactForRationalElements) {
    const ExactDeterminant h = DeterminantOfText(5, hilbert(5));
    EXPECT_EQ(DeterminantExactText(h), "1/266716800000");
    EXPECT_EQ(DeterminantFieldText(h), "3.74929513251509e-12");
    EXPECT_EQ(DeterminantExactText(DeterminantOfText(50, seededMatrix(50, 2024))),
              "-85325595551504845897457390879260318732084849921789204851110615283251914449343283079"
              "770259371279757922766605699487580416");
    EXPECT_EQ(DeterminantFieldText(DeterminantOfText(2, "1/3 0 0 2")), "0.666666666666667");
    EXPECT_EQ(DeterminantFieldText(DeterminantOfText(2, "0 1e10 -1e10 0.1")),
              "100000000000000000000");
    EXPECT_EQ(DeterminantFieldText(DeterminantOfText(2, "0 1 1 1")), "-1");
    EXPECT_EQ(DeterminantFieldText(DeterminantOfText(2, "1 2 2 4")), "0");
    EXPECT_EQ(DeterminantFieldText(DeterminantOfText(2, "100000000000000000000/3 0 0 1")),
              "3.33333333333333e+19");
    // A tie at the 16th digit goes to the even 15th, as printf rounds.
    EXPECT_EQ(DeterminantFieldText(DeterminantOfText(2, "0.1234567890123445 0 0 1")),
              "0.123456789012344");
}

TEST(ExactDeterminant, GoesTheDoubleWayOrRefuses) {
    const ExactDeterminant d = DeterminantOfText(2, "1/0 1 1 2");
    EXPECT_FALSE(d.exact);
    EXPECT_EQ(DeterminantFieldText(d), "inf");
    EXPECT_EQ(DeterminantExactText(DeterminantOfText(3, "0.1 nan 0 0 0 1 0 1 0")), "nan");
    EXPECT_EQ(DeterminantOfText(1, "1").status, ComputeStatus::BadOperands);
    EXPECT_EQ(DeterminantOfText(51, "1").status, ComputeStatus::BadOperands);
    WorkControl control;
    control.requestCancel();
    EXPECT_EQ(DeterminantOfText(3, "1 2 3 4 5 6 7 8 10", &control).status,
              ComputeStatus::Cancelled);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The determinant by distinct minors against the literal expansion, and on a
// pool of threads against one thread, bit for bit, on random matrices with the
// values that make floating point hard: zeros of both signs, values whose
// products overflow, infinities and NaN.
#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/thread_pool.h"
#include "matrix/determinant.h"

namespace {

enum class Kind { SmallIntegers, WideRange, Huge, Specials };

float randomValue(Kind kind, std::mt19937& random) {
    const std::uint32_t bits = random();
    const float sign = (bits & 1) ? -1.0f : 1.0f;
    switch (kind) {
        case Kind::SmallIntegers:  // many zeros, both signs
            return sign * static_cast<float>((bits >> 1) % 4);
        case Kind::WideRange: {  // any mantissa, exponents -40 to 40
            const float mantissa = 1.0f + static_cast<float>((bits >> 1) & 0x7FFFFF) / 0x800000;
            return sign * std::ldexp(mantissa, static_cast<int>((bits >> 24) % 81) - 40);
        }
        case Kind::Huge:  // products and sums leave the range of a single
            return sign * std::ldexp(1.0f + static_cast<float>((bits >> 1) & 0xFFFF) / 0x10000,
                                     static_cast<int>((bits >> 17) % 30) + 98);
        case Kind::Specials:
            switch ((bits >> 1) % 10) {
                case 0:
                    return std::numeric_limits<float>::quiet_NaN();
                case 1:
                    return sign * std::numeric_limits<float>::infinity();
                case 2:
                case 3:
                    return sign * 0.0f;
                case 4:
                    return sign * 3e38f;
                default:
                    return sign * static_cast<float>((bits >> 5) % 100) / 8.0f;
            }
    }
    return 0.0f;
}

struct OrderCase {
    int order;
    int matricesPerKind;
};

void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << "order " << c.order << ", " << c.matricesPerKind << " matrices of each kind";
}

std::vector<float> randomMatrix(int n, Kind kind, std::mt19937& random) {
    std::vector<float> m(static_cast<std::size_t>(n) * n);
    for (float& value : m) value = randomValue(kind, random);
    return m;
}

constexpr Kind kKinds[] = {Kind::SmallIntegers, Kind::WideRange, Kind::Huge, Kind::Specials};

std::string orderName(const testing::TestParamInfo<OrderCase>& info) {
    return "Order" + std::to_string(info.param.order);
}

class DeterminantEquivalence : public testing::TestWithParam<OrderCase> {};

TEST_P(DeterminantEquivalence, MinorsMatchTheExpansionBitForBit) {
    const auto [n, matricesPerKind] = GetParam();
    std::mt19937 random(static_cast<std::uint32_t>(1000 + n));
    int nonFinite = 0;
    for (Kind kind : kKinds) {
        for (int sample = 0; sample < matricesPerKind; ++sample) {
            const std::vector<float> m = randomMatrix(n, kind, random);
            const double literal = ExpandDeterminant(n, m);
            const DeterminantResult fast = Determinant(n, m);
            ASSERT_EQ(fast.status, ComputeStatus::Done);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(fast.value),
                      std::bit_cast<std::uint64_t>(literal))
                << "order " << n << ", kind " << static_cast<int>(kind) << ", sample " << sample
                << ": " << fast.value << " against " << literal;
            if (!std::isfinite(literal)) ++nonFinite;
        }
    }
    // The hard values really reach the result.
    EXPECT_GT(nonFinite, 0);
}

INSTANTIATE_TEST_SUITE_P(Orders, DeterminantEquivalence,
                         testing::Values(OrderCase{2, 200}, OrderCase{3, 200}, OrderCase{4, 100},
                                         OrderCase{5, 100}, OrderCase{6, 50}, OrderCase{7, 50},
                                         OrderCase{8, 20}, OrderCase{9, 8}, OrderCase{10, 4}),
                         orderName);

class DeterminantOnThreads : public testing::TestWithParam<OrderCase> {};

TEST_P(DeterminantOnThreads, MatchesOneThreadBitForBit) {
    const auto [n, matricesPerKind] = GetParam();
    std::mt19937 random(static_cast<std::uint32_t>(2000 + n));
    ThreadPool serial(1);
    // Every minor a task of its own, spread from the start.
    ThreadPool spread(4, {.serialHead = std::chrono::nanoseconds(0), .taskDivisor = 1 << 20});
    for (Kind kind : kKinds) {
        for (int sample = 0; sample < matricesPerKind; ++sample) {
            const std::vector<float> m = randomMatrix(n, kind, random);
            DeterminantResult one, many;
            {
                const UsingThreadPool use(serial);
                one = Determinant(n, m);
            }
            {
                const UsingThreadPool use(spread);
                many = Determinant(n, m);
            }
            ASSERT_EQ(many.status, ComputeStatus::Done);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(many.value),
                      std::bit_cast<std::uint64_t>(one.value))
                << "order " << n << ", kind " << static_cast<int>(kind) << ", sample " << sample;
        }
    }
}

std::vector<OrderCase> ordersTwoToFourteen() {
    std::vector<OrderCase> cases;
    for (int n = 2; n <= 14; ++n) cases.push_back({n, n <= 8 ? 10 : 2});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Orders, DeterminantOnThreads, testing::ValuesIn(ordersTwoToFourteen()),
                         orderName);

}  // namespace

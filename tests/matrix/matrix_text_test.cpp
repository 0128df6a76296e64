// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::size_t count;
    std::vector<float> expected;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << testing::PrintToString(c.text); }

class ParseMatrixTextTest : public testing::TestWithParam<ParseCase> {};

// Bit patterns, so that NaNs compare and the sign of zero counts.
std::vector<std::uint32_t> bits(const std::vector<float>& values) {
    std::vector<std::uint32_t> out;
    for (float v : values) out.push_back(std::bit_cast<std::uint32_t>(v));
    return out;
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

TEST_P(ParseMatrixTextTest, ReadsTokensInOrder) {
    const ParseCase& c = GetParam();
    const std::optional<std::vector<float>> values = ParseMatrixText(c.text, c.count);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(bits(*values), bits(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseMatrixTextTest,
    testing::Values(
        ParseCase{"RowsOfTwo", "1,2,\r\n3,4,\r\n", 4, {1, 2, 3, 4}},
        ParseCase{"MissingElementsAreZero", "1,2,\r\n3,4,\r\n", 9, {1, 2, 3, 4, 0, 0, 0, 0, 0}},
        ParseCase{"SurplusIgnored", "1 2 3 4 5", 4, {1, 2, 3, 4}},
        ParseCase{"SeparatorRunsCountOnce", ",, 1,,2,,", 2, {1, 2}},
        ParseCase{"FullWidthComma",
                  "1\xEF\xBC\x8C"
                  "2",
                  2,
                  {1, 2}},
        ParseCase{
            "FullWidthCommaRunWithSpaces", "\xEF\xBC\x8C 1 \xEF\xBC\x8C\xEF\xBC\x8C 2", 2, {1, 2}},
        ParseCase{"TabDoesNotSeparate", "1\t2", 2, {1, 0}},
        ParseCase{"LeadingTabIsSkipped", "\t7 8", 2, {7, 8}},
        ParseCase{"PrefixOfToken", "1.5e2x -.5 +3", 3, {150, -0.5f, 3}},
        ParseCase{"NonNumberTakesItsPlace", "abc 5", 2, {0, 5}},
        ParseCase{"SeparatorsOnly", " ,\r\n,\xEF\xBC\x8C ", 3, {0, 0, 0}},
        ParseCase{"EmptyText", "", 2, {0, 0}},
        ParseCase{"ExponentNeedsDigits", "1e 2E+ 3e-1 1.e2", 4, {1, 2, 0.3f, 100}},
        ParseCase{"NoDigitsNoNumber", ". - +. .e5 e5", 5, {0, 0, 0, 0, 0}},
        ParseCase{"WrittenInfNanReadBack", "inf -INF \tNaN -nan", 4, {kInf, -kInf, kNan, -kNan}},
        ParseCase{"OtherSpellingsAreNotNumbers",
                  "0x10 +inf infinity inf5 nan(1) -in",
                  6,
                  {0, 0, 0, 0, 0, 0}},
        ParseCase{"OtherFullWidthCharactersAreText",
                  "1\xEF\xBC\x8D"
                  "2 3",
                  2,
                  {1, 3}},
        ParseCase{"NothingWanted", "1 2", 0, {}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(ScanMatrixToken, ConvertsToTheNearestSingle) {
    EXPECT_EQ(ScanMatrixToken("0.1"), 0.1f);
    EXPECT_EQ(ScanMatrixToken("16777217"), 16777216.0f);  // ties to even
    EXPECT_EQ(ScanMatrixToken("16777219"), 16777220.0f);
    EXPECT_EQ(ScanMatrixToken("3.4028235e38"), std::numeric_limits<float>::max());
}

TEST(ScanMatrixToken, OutOfRangeGoesToInfinityOrZero) {
    EXPECT_EQ(ScanMatrixToken("1e39"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ScanMatrixToken("-1e400"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ScanMatrixToken("1e-40"), 1e-40f);  // subnormal, kept
    EXPECT_EQ(ScanMatrixToken("1e-50"), 0.0f);
    EXPECT_TRUE(std::signbit(ScanMatrixToken("-1e-50")));
}

TEST(ScanMatrixToken, KeepsTheSignOfZero) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(ScanMatrixToken("-0")), 0x80000000u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(ScanMatrixToken("-")), 0u);
}

TEST(ElementCount, RefusesCountsBeyondThirtyTwoBits) {
    EXPECT_EQ(ElementCount(46340, 46340), std::size_t{2147395600});
    EXPECT_EQ(ElementCount(INT32_MAX, 1), std::size_t{INT32_MAX});
    EXPECT_FALSE(ElementCount(46341, 46341).has_value());
    EXPECT_FALSE(ElementCount(INT32_MAX, INT32_MAX).has_value());
    EXPECT_FALSE(ElementCount(-1, 3).has_value());
    EXPECT_EQ(ElementCount(0, 5), std::size_t{0});
}

TEST(FormatMatrixText, EveryRowEndsWithCommaAndCrLf) {
    const std::vector<double> values{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(FormatMatrixText(values, 2, 3), "1,2,3,\r\n4,5,6,\r\n");
    EXPECT_EQ(FormatMatrixText(values, 2, 3)->size(), 16u);
    EXPECT_EQ(FormatMatrixText(std::vector<double>{0.5}, 1, 1), "0.5,\r\n");
    EXPECT_EQ(FormatMatrixText(std::vector<double>{1, 2}, 2, 1), "1,\r\n2,\r\n");
}

TEST(FormatMatrixText, WritesSixSignificantDigits) {
    const std::vector<double> values{1234567, 0.0001, 0.00001234,
                                     -100000, 1e100,  std::numeric_limits<double>::infinity()};
    EXPECT_EQ(FormatMatrixText(values, 1, 6),
              "1.23457e+06,0.0001,1.234e-05,-100000,1e+100,inf,\r\n");
}

TEST(FormatMatrixText, RefusesTooFewValues) {
    EXPECT_FALSE(FormatMatrixText(std::vector<double>{1, 2, 3}, 2, 2).has_value());
}

TEST(MatrixText, WrittenTextReadsBackToSixDigits) {
    const std::vector<float> singles = *ParseMatrixText("0.1 -2.5e-7 123456789 3", 4);
    const std::vector<double> doubles(singles.begin(), singles.end());
    const std::string text = *FormatMatrixText(doubles, 2, 2);
    EXPECT_EQ(text, "0.1,-2.5e-07,\r\n1.23457e+08,3,\r\n");
    EXPECT_EQ(*ParseMatrixText(text, 4), (std::vector<float>{0.1f, -2.5e-7f, 123457000.0f, 3.0f}));
}

TEST(MatrixText, InfinitiesAndOneNanSurviveTheRoundTrip) {
    const std::vector<double> values{kInf, -kInf, -static_cast<double>(kNan), 1e39};
    const std::string text = *FormatMatrixText(values, 1, 4);
    EXPECT_EQ(text, "inf,-inf,nan,1e+39,\r\n");
    EXPECT_EQ(bits(*ParseMatrixText(text, 4)), bits({kInf, -kInf, kNan, kInf}));
}

}  // namespace

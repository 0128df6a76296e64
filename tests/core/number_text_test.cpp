// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>

TEST(NumberText, DoublesShowFifteenSignificantDigits) {
    EXPECT_EQ(formatDouble(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(formatDouble(static_cast<double>(0.1f)), "0.100000001490116");
    EXPECT_EQ(formatDouble(-2.0), "-2");
    EXPECT_EQ(formatDouble(1e20), "1e+20");
    EXPECT_EQ(formatDouble(0.0001), "0.0001");
    EXPECT_EQ(formatDouble(0.00001), "1e-05");
}

TEST(NumberText, SinglesShowSixSignificantDigits) {
    EXPECT_EQ(formatFloat(0.1f), "0.1");
    EXPECT_EQ(formatFloat(-3.0f), "-3");
    EXPECT_EQ(formatFloat(1234567.0f), "1.23457e+06");
    EXPECT_EQ(formatShortG(0.30000000447034836), "0.3");
}

TEST(NumberText, FormattingIgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
    EXPECT_EQ(formatDouble(0.5), "0.5");
    EXPECT_EQ(parseDoubleField("0.5"), 0.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberText, FieldAcceptsOneNumberWithBlanksAround) {
    EXPECT_EQ(parseDoubleField(" 1.5 "), 1.5);
    EXPECT_EQ(parseDoubleField("-3"), -3.0);
    EXPECT_EQ(parseDoubleField("+.5e1"), 5.0);
    EXPECT_EQ(parseDoubleField("5."), 5.0);
    EXPECT_EQ(parseDoubleField("1e-400"), 0.0);
}

TEST(NumberText, FieldRefusesAnythingElse) {
    for (const char* text : {"", " ", "abc", "1.2.3", "1e", "1e+", ".", "-", "0x10", "inf", "nan",
                             "1 2", "1,5", "1e999", "--1"}) {
        EXPECT_FALSE(parseDoubleField(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberText, IntegerFieldStaysInThirtyTwoBits) {
    EXPECT_EQ(parseIntField(" 10 "), 10);
    EXPECT_EQ(parseIntField("-2147483648"), -2147483648LL);
    EXPECT_FALSE(parseIntField("2147483648").has_value());
    EXPECT_FALSE(parseIntField("1.0").has_value());
    EXPECT_FALSE(parseIntField("").has_value());
    EXPECT_FALSE(parseIntField("+-1").has_value());
}

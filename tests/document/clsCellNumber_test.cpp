// Cell texts read as the numbers of binary members.
#include "clsCellNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

clsCellNumber::Kind KindOf(const char* text, int memType)
{
    return clsCellNumber::Parse(QByteArrayView(text, std::strlen(text)), memType).kind;
}

double ValueOf(const char* text, int memType)
{
    return clsCellNumber::Parse(QByteArrayView(text, std::strlen(text)), memType).dValue;
}

} // namespace

TEST(clsCellNumber, IntegersRoundHalfToEvenWithinTheirType)
{
    EXPECT_EQ(KindOf("", 1), clsCellNumber::Empty);
    EXPECT_EQ(ValueOf("2.5", 1), 2);
    EXPECT_EQ(ValueOf("3.5", 1), 4);
    EXPECT_EQ(ValueOf("-2.5", 2), -2);
    EXPECT_EQ(ValueOf("0.5", 2), 0);
    EXPECT_EQ(ValueOf("+1.5e1", 2), 15);
    EXPECT_EQ(KindOf("-32768", 1), clsCellNumber::Value);
    EXPECT_EQ(KindOf("-32769", 1), clsCellNumber::Overflow);
    EXPECT_EQ(KindOf("32767.5", 1), clsCellNumber::Overflow);
    EXPECT_EQ(KindOf("2147483647", 2), clsCellNumber::Value);
    EXPECT_EQ(KindOf("2147483647.5", 2), clsCellNumber::Overflow);
    EXPECT_EQ(KindOf("1e400", 2), clsCellNumber::Overflow);
}

TEST(clsCellNumber, FloatsOverflowOnlyPastTheirRange)
{
    EXPECT_EQ(KindOf("3e38", 3), clsCellNumber::Value);
    EXPECT_EQ(KindOf("1e39", 3), clsCellNumber::Overflow);
    EXPECT_EQ(KindOf("1e39", 4), clsCellNumber::Value);
    EXPECT_EQ(KindOf("1e400", 4), clsCellNumber::Overflow);
    EXPECT_EQ(KindOf("-0.1e400", 4), clsCellNumber::Overflow);
    EXPECT_EQ(KindOf("123456789e305", 4), clsCellNumber::Overflow);
    // Too small to show is zero, not an overflow, however the digits stand.
    EXPECT_EQ(KindOf("1e-400", 4), clsCellNumber::Value);
    EXPECT_EQ(ValueOf("1e-400", 4), 0);
    EXPECT_EQ(KindOf("0.000001e-400", 4), clsCellNumber::Value);
    EXPECT_EQ(KindOf("0.0000000000001e-320", 3), clsCellNumber::Value);
    EXPECT_EQ(KindOf("1e-99999999999999999999", 4), clsCellNumber::Value);
    EXPECT_EQ(KindOf("1e99999999999999999999", 4), clsCellNumber::Overflow);
}

TEST(clsCellNumber, OnlyFloatsTakeInfinityAndNan)
{
    EXPECT_EQ(KindOf("inf", 1), clsCellNumber::NotNumeric);
    EXPECT_EQ(KindOf("-nan", 2), clsCellNumber::NotNumeric);
    EXPECT_EQ(KindOf("-inf", 3), clsCellNumber::Value);
    EXPECT_TRUE(std::isinf(ValueOf("-inf", 3)));
    EXPECT_TRUE(std::isnan(ValueOf("nan", 4)));
}

TEST(clsCellNumber, TextsThatAreNotNumbers)
{
    for (const char* text :
         {"abc", "+-1", "1e", "0x10", "1,000", "+", "-", ".", "1 2", "12a", "\xEF\xBC\x91"}) {
        EXPECT_EQ(KindOf(text, 4), clsCellNumber::NotNumeric) << text;
        EXPECT_EQ(KindOf(text, 1), clsCellNumber::NotNumeric) << text;
    }
}

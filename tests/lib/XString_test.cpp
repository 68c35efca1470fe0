// XString: growth steps, range copies, comparison and the double-quote escaping in place.
#include "XString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

XString Quoting(const std::string& text)
{
    XString value(text.c_str());
    value.SetSeparator(XString::kDoubleQuote);
    return value;
}

std::string Escaped(const std::string& text)
{
    XString value = Quoting(text);
    value.Escape();
    return std::string(value.Text(), static_cast<std::size_t>(value.Length()));
}

} // namespace

TEST(XString, GrowsInCoarseStepsThenExactly)
{
    XString value;
    EXPECT_EQ(value.Capacity(), 128);
    EXPECT_EQ(value.Length(), 0);
    EXPECT_STREQ(value.Text(), "");
    value.Reserve(129);
    EXPECT_EQ(value.Capacity(), 256);
    value.Reserve(1000);
    EXPECT_EQ(value.Capacity(), 1024);
    value.Reserve(4096);
    EXPECT_EQ(value.Capacity(), 4096);
    value.Reserve(5000);
    EXPECT_EQ(value.Capacity(), 5000);
    value.Reserve(10);
    EXPECT_EQ(value.Capacity(), 5000);
}

TEST(XString, GrowingKeepsTheText)
{
    XString value("abc");
    value.Reserve(300);
    EXPECT_STREQ(value.Text(), "abc");
    EXPECT_EQ(value.Length(), 3);
}

TEST(XString, NullTextsAndBadRangesAreRefused)
{
    EXPECT_THROW(XString(nullptr), XString::EStringError);
    XString value;
    try {
        value.SetRange(nullptr, 0, 1);
        FAIL() << "a null text was accepted";
    } catch (XString::EStringError error) {
        EXPECT_EQ(error, XString::estrNullText);
    }
    EXPECT_THROW(value.SetRange("abc", -1, 1), XString::EStringError);
    EXPECT_THROW(value.SetRange("abc", 0, -1), XString::EStringError);
    EXPECT_THROW(value.SetLength(value.Capacity()), XString::EStringError);
}

TEST(XString, RangesStopAtANul)
{
    const char bytes[] = "ab\0cd";
    XString value;
    value.SetRange(bytes, 1, 4);
    EXPECT_STREQ(value.Text(), "b");
    EXPECT_EQ(value.Length(), 1);
    value.SetRange("hello", 1, 3);
    EXPECT_STREQ(value.Text(), "ell");
    EXPECT_EQ(value.Length(), 3);
    // A range of the string itself is copied before it is overwritten.
    value.SetRange(value.Text(), 1, 2);
    EXPECT_STREQ(value.Text(), "ll");
}

TEST(XString, CopyTakesTheTextButNotTheSeparator)
{
    XString source("x\"y");
    source.SetSeparator(XString::kDoubleQuote);
    XString target;
    target = source;
    EXPECT_STREQ(target.Text(), "x\"y");
    EXPECT_EQ(target.Length(), 3);
    EXPECT_EQ(target.Separator(), ',');
}

TEST(XString, ComparesTextAndLengthExactly)
{
    const XString value("\r\n");
    EXPECT_TRUE(value.Equals("\r\n"));
    EXPECT_FALSE(value.Equals("\r"));
    EXPECT_FALSE(value.Equals("\r\n\n"));
    EXPECT_FALSE(value.Equals(nullptr));
    const char bytes[] = "a\0b";
    XString withNul;
    withNul.Reserve(4);
    std::copy(bytes, bytes + 4, withNul.Data());
    withNul.SetLength(3);
    EXPECT_FALSE(withNul.Equals("a"));
}

TEST(XString, EscapeOfManyQuotesGrowsPastTheFirstStep)
{
    const std::string quotes(200, '"');
    EXPECT_EQ(Escaped(quotes), std::string(400, '"'));
}

TEST(XString, StripRemovesOnePairOfEnclosingQuotes)
{
    auto strip = [](const std::string& text) {
        const char* begin = text.c_str();
        int length = static_cast<int>(text.size());
        skiff::StripQuotes(begin, length, XString::kDoubleQuote);
        return std::string(begin, static_cast<std::size_t>(length));
    };
    EXPECT_EQ(strip("\"abc\""), "abc");
    EXPECT_EQ(strip("\"\""), "");
    EXPECT_EQ(strip("\""), "\"");
    EXPECT_EQ(strip("\"abc"), "\"abc");
    EXPECT_EQ(strip("\"\"x\"\""), "\"x\"");
}

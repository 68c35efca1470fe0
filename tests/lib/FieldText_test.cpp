// Mending the malformed bytes of a field: NUL bytes and a lead byte without its trail byte.
#include "FieldText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Mended(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    std::string out(static_cast<std::size_t>(skiff::MendedLength(text.data(), length, true)) + 1,
                    'x');
    skiff::CopyMended(text.data(), length, true, out.data());
    EXPECT_EQ(out.back(), '\0');
    out.pop_back();
    return out;
}

} // namespace

TEST(FieldText, LoneLeadIsAnOddRunOfLeadRangeBytesAtTheEnd)
{
    EXPECT_TRUE(skiff::EndsInLoneLead("ab\x82", 3));
    // 0x81 0x81 is one character (its trail byte lies in the lead range), then 0x82 alone.
    EXPECT_TRUE(skiff::EndsInLoneLead("\x81\x81\x82", 3));
    EXPECT_FALSE(skiff::EndsInLoneLead("\x81\x81", 2));
    EXPECT_FALSE(skiff::EndsInLoneLead("\x82\xA0", 2));
    EXPECT_FALSE(skiff::EndsInLoneLead("", 0));
}

TEST(FieldText, NulAndLoneLeadBecomeGetaMarksAndAreCounted)
{
    EXPECT_EQ(Mended(std::string("a\0b", 3)), "a\x81\xAC"
                                              "b");
    EXPECT_EQ(Mended("ab\x82"), "ab\x81\xAC");
    // A lead byte before a NUL has lost its trail byte as well.
    EXPECT_EQ(Mended(std::string("\x82\0c", 3)), "\x81\xAC\x81\xAC"
                                                 "c");
    EXPECT_EQ(Mended("\x82\xA0"), "\x82\xA0");
    char out[8];
    EXPECT_EQ(skiff::CopyMended("\x82\0", 2, true, out), 2);
    EXPECT_EQ(skiff::CopyMended("ok", 2, true, out), 0);
}

TEST(FieldText, WithoutNulsOnlyTheEndIsLookedAt)
{
    char out[8];
    EXPECT_EQ(skiff::MendedLength("a\x82", 2, false), 3);
    EXPECT_EQ(skiff::CopyMended("a\x82", 2, false, out), 1);
    EXPECT_STREQ(out, "a\x81\xAC");
}

TEST(FieldText, MarkedNulsLeaveNoTerminatorInside)
{
    char text[] = {'a', '\0', 'b', '\0', 'c'};
    skiff::MarkNuls(text, 5);
    EXPECT_EQ(std::string(text, 5), "a\xFF"
                                    "b\xFF"
                                    "c");
}

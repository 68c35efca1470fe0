// Header texts, column widths, input limits and alignment built from the options.
#include "clsColumnLayout.h"
#include "clsFormat.h"
#include "clsOptions.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void SetFlags(const char* header, const char* edit)
{
    for (int k = 1; k <= 5; ++k)
        gHeaderFlags[k] = header[k - 1] - '0';
    for (int k = 1; k <= 3; ++k)
        gEditFlags[k] = edit[k - 1] - '0';
}

clsFormat TwoMembers()
{
    clsFormat format;
    clsMember* code = format.AddMember();
    code->MemName = u"code"_s;
    code->MemType = 2;
    code->MemLen = 11;
    code->MemLenB = 4;
    code->Stuff = 1;
    code->Comment = u"番号"_s;
    code->ColWidth = 17;
    clsMember* name = format.AddMember();
    name->MemName = u"name"_s;
    name->MemLen = 300;
    name->MemLenB = 300;
    name->Comment = u"氏名（漢字）欄の説明"_s;
    return format;
}

class clsColumnLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override { gFontSize = 10; }
    void TearDown() override { clsOptions::Reset(); }
};

} // namespace

TEST_F(clsColumnLayoutTest, HeaderTextFollowsTheFlags)
{
    const clsFormat format = TwoMembers();
    SetFlags("00001", "010");
    EXPECT_EQ(clsColumnLayout::HeaderText(*format.Members(1), 1), u"番号"_s);
    SetFlags("11111", "010");
    EXPECT_EQ(clsColumnLayout::HeaderText(*format.Members(1), 1), u"1 11 32bit整数 code 番号"_s);
    SetFlags("01010", "010");
    EXPECT_EQ(clsColumnLayout::HeaderText(*format.Members(2), 2), u"300 name"_s);
    SetFlags("00000", "010");
    EXPECT_EQ(clsColumnLayout::HeaderText(*format.Members(2), 2), QString());
}

TEST_F(clsColumnLayoutTest, WidthModes)
{
    const clsFormat format = TwoMembers();
    SetFlags("00001", "010");
    // 4 Shift-JIS bytes at size 10: 10 * 6 / 7; 14 bytes: 10 * (14 - 2) / 7.
    EXPECT_DOUBLE_EQ(clsColumnLayout::Width(*format.Members(1), u"番号"_s), 60.0 / 7);
    EXPECT_DOUBLE_EQ(clsColumnLayout::Width(*format.Members(1), u"abcdefghijklmn"_s), 120.0 / 7);
    EXPECT_DOUBLE_EQ(clsColumnLayout::Width(*format.Members(1), u"氏名（漢字）欄"_s), 120.0 / 7);
    gFontSize = 14;
    EXPECT_DOUBLE_EQ(clsColumnLayout::Width(*format.Members(1), u"abcdef"_s), 14.0 * 8 / 7);
    SetFlags("00001", "020");
    EXPECT_DOUBLE_EQ(clsColumnLayout::Width(*format.Members(1), u"番号"_s), 17);
    SetFlags("00001", "000");
    EXPECT_DOUBLE_EQ(clsColumnLayout::Width(*format.Members(1), u"番号"_s), 10);
}

TEST_F(clsColumnLayoutTest, InputLimitsAndAlignment)
{
    const clsFormat format = TwoMembers();
    SetFlags("00001", "110");
    std::vector<clsColumnLook> looks = clsColumnLayout::Build(format);
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(looks[0].nMaxLength, 11);
    EXPECT_EQ(looks[1].nMaxLength, 300);
    EXPECT_FALSE(looks[0].bLeft);
    EXPECT_TRUE(looks[1].bLeft);
    EXPECT_EQ(looks[1].szHeader, u"氏名（漢字）欄の説明"_s);
    SetFlags("00001", "010");
    looks = clsColumnLayout::Build(format);
    EXPECT_EQ(looks[0].nMaxLength, 256);
    EXPECT_EQ(looks[1].nMaxLength, 300);
}

TEST_F(clsColumnLayoutTest, HeaderWidthModeShowsTheDeclaredWidth)
{
    const clsFormat format = TwoMembers();
    SetFlags("00001", "010");
    EXPECT_EQ(clsColumnLayout::FitChars(*format.Members(1)), 11);
    // A 300-byte member is held to a screenful.
    EXPECT_EQ(clsColumnLayout::FitChars(*format.Members(2)), 64);
    const std::vector<clsColumnLook> looks = clsColumnLayout::Build(format);
    EXPECT_EQ(looks[0].nFitChars, 11);
    EXPECT_EQ(looks[1].nFitChars, 64);
    // Fixed and remembered widths are the user's choice and stay as they are.
    SetFlags("00001", "000");
    EXPECT_EQ(clsColumnLayout::FitChars(*format.Members(1)), 0);
    SetFlags("00001", "020");
    EXPECT_EQ(clsColumnLayout::Build(format)[0].nFitChars, 0);
}

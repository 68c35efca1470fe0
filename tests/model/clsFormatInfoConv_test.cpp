// Conversion of single texts between character-set codes, through the real Skiff library.
#include "clsFormatInfo.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const clsFormatInfo& info = gFormatInfo();

QString Bytes(const char* bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace

TEST(clsFormatInfoConv, CodesOutsideTheRangeGiveNothing)
{
    for (int bad : {0, 5, -1}) {
        for (int good = 1; good <= 4; ++good) {
            EXPECT_EQ(info.GetConvLen(u"漢字"_s, bad, good), 0);
            EXPECT_EQ(info.GetConvLen(u"漢字"_s, good, bad), 0);
            int length = -7;
            EXPECT_EQ(info.Conv(u"漢字"_s, bad, good, length), u" "_s);
            EXPECT_EQ(length, 0);
            EXPECT_EQ(info.Conv(u"漢字"_s, good, bad, length), u" "_s);
        }
    }
}

TEST(clsFormatInfoConv, EqualCodesKeepTheText)
{
    int length = 0;
    EXPECT_EQ(info.Conv(u"Ａ①漢ｱ"_s, 1, 1, length), u"Ａ①漢ｱ"_s);
    EXPECT_EQ(length, 7);
    EXPECT_EQ(info.Conv(Bytes("\x1b$B4A\x1b(B"), 2, 2, length), Bytes("\x1b$B4A\x1b(B"));
    EXPECT_EQ(length, 8);
}

TEST(clsFormatInfoConv, TwoKanjiToJisCarryBothShifts)
{
    int length = 0;
    EXPECT_EQ(info.Conv(u"漢字"_s, 1, 2, length), Bytes("\x1b$B4A;z\x1b(B"));
    EXPECT_EQ(length, 10);
    EXPECT_EQ(info.GetConvLen(u"漢字"_s, 1, 2), 10);
}

TEST(clsFormatInfoConv, ResultsAreBytesOfTheTargetSet)
{
    int length = 0;
    EXPECT_EQ(info.Conv(u"aｱ漢"_s, 1, 3, length), Bytes("a\x8e\xb1\xb4\xc1"));
    EXPECT_EQ(info.Conv(u"aｱ漢"_s, 1, 4, length), Bytes("a\xef\xbd\xb1\xe6\xbc\xa2"));
    EXPECT_EQ(length, 7);
    EXPECT_EQ(info.Conv(Bytes("\xe6\xbc\xa2\xc2\xa5"), 4, 1, length), u"漢\\"_s);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(info.Conv(Bytes("\xb4\xc1"), 3, 2, length), Bytes("\x1b$B4A\x1b(B"));
}

TEST(clsFormatInfoConv, EveryPairMeasuresWhatItConvertsAndComesBack)
{
    const QString text = u"Data 123 データ、漢字ﾃﾞｰﾀ「全角」±×÷ΑΩ~"_s;
    for (int via = 2; via <= 4; ++via) {
        int there = 0;
        const QString converted = info.Conv(text, 1, via, there);
        EXPECT_EQ(there, converted.size()) << via;
        for (int target = 1; target <= 4; ++target) {
            if (target == via)
                continue;
            int length = 0;
            const QString result = info.Conv(converted, via, target, length);
            EXPECT_EQ(info.GetConvLen(converted, via, target), length) << via << target;
            if (target == 1) {
                EXPECT_EQ(result, text) << via;
                EXPECT_EQ(length, 44) << via;
            } else {
                EXPECT_EQ(result.size(), length) << via << target;
                int back = 0;
                EXPECT_EQ(info.Conv(result, target, 1, back), text) << via << target;
            }
        }
    }
}

TEST(clsFormatInfoConv, UnmappableCharactersBecomeTheGetaMark)
{
    int length = 0;
    EXPECT_EQ(info.Conv(u"①x"_s, 1, 4, length), Bytes("\xe3\x80\x93x"));
    EXPECT_EQ(length, 4);
    EXPECT_EQ(info.Conv(Bytes("\xc3\xa9x"), 4, 1, length), u"〓x"_s);
    EXPECT_EQ(length, 3);
}

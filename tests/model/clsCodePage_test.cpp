// CP932 conversion: the bytes that differ from other Shift-JIS tables, and unmappable text.
#include "clsCodePage.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(clsCodePage, SingleBytesKeepTheirCp932Meaning)
{
    // 0x5C is a backslash and 0x7E a tilde here, not the yen sign and overline.
    EXPECT_EQ(clsCodePage::FromSjis(QByteArray("\x5C\x7E")), u"\\~"_s);
    EXPECT_EQ(clsCodePage::ToSjis(u"\\~"_s), QByteArray("\x5C\x7E"));
    // Half-width katakana are single bytes.
    EXPECT_EQ(clsCodePage::FromSjis(QByteArray("\xB1")), u"ｱ"_s);
    EXPECT_EQ(clsCodePage::ToSjis(u"ｱ"_s), QByteArray("\xB1"));
}

TEST(clsCodePage, VendorExtensionsRoundTrip)
{
    EXPECT_EQ(clsCodePage::FromSjis(QByteArray("\x87\x40")), u"①"_s);
    EXPECT_EQ(clsCodePage::ToSjis(u"①"_s), QByteArray("\x87\x40"));
    // A trail byte of 0x5C is part of its character, not a backslash.
    EXPECT_EQ(clsCodePage::FromSjis(QByteArray("\x83\x5C\x5C")), u"ソ\\"_s);
    EXPECT_EQ(clsCodePage::ToSjis(u"ソ\\"_s), QByteArray("\x83\x5C\x5C"));
}

TEST(clsCodePage, UnmappableCharactersBecomeTheGetaMark)
{
    EXPECT_EQ(clsCodePage::ToSjis(u"a\U0001F600b"_s), QByteArray("a\x81\xAC"
                                                                 "b"));
    EXPECT_EQ(clsCodePage::SjisLength(u"日本語abc"_s), 9);
    EXPECT_EQ(clsCodePage::SjisLength(QString()), 0);
    EXPECT_EQ(clsCodePage::FromSjis(QByteArray()), QString());
}

// The vocabulary tables, both ways, with their defaults for unknown input.
#include "clsFormatInfo.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {
const clsFormatInfo& info = gFormatInfo();
}

TEST(clsFormatInfo, FileTypesBothWays)
{
    const QString names[] = {u"可変長テキスト"_s, u"固定長テキスト"_s, u"バイナリ"_s};
    for (int code = 1; code <= 3; ++code) {
        EXPECT_EQ(info.GetFileTypeName(code), names[code - 1]);
        EXPECT_EQ(info.GetFileType(names[code - 1]), code);
    }
    EXPECT_EQ(info.GetFileTypeName(0), u"Error!!!"_s);
    EXPECT_EQ(info.GetFileTypeName(4), u"Error!!!"_s);
    EXPECT_EQ(info.GetFileType(u"バイナリ "_s), 0);
    EXPECT_EQ(info.GetFileType(QString()), 0);
}

TEST(clsFormatInfo, DataTypeNamesInEveryStyle)
{
    const QString names[5][3] = {{u"Integer"_s, u"short"_s, u"16bit整数"_s},
                                 {u"Long"_s, u"long"_s, u"32bit整数"_s},
                                 {u"Single"_s, u"float"_s, u"32bit浮動小数"_s},
                                 {u"Double"_s, u"double"_s, u"64bit浮動小数"_s},
                                 {u"String"_s, u"char"_s, u"文字列"_s}};
    for (int type = 1; type <= 5; ++type) {
        for (int lang = 1; lang <= 3; ++lang) {
            const QString& name = names[type - 1][lang - 1];
            EXPECT_EQ(info.GetTypeName(lang, type), name);
            EXPECT_EQ(info.GetType(name), type) << name.toStdString();
            EXPECT_TRUE(info.IsSupportTypeName(name));
        }
    }
    EXPECT_EQ(info.GetType(u"int"_s), 2);
    EXPECT_EQ(info.GetTypeName(2, 2), u"long"_s);
    EXPECT_EQ(info.GetTypeName(4, 1), QString());
    EXPECT_EQ(info.GetTypeName(0, 1), QString());
    EXPECT_EQ(info.GetTypeName(1, 7), u"Error!!!"_s);
    EXPECT_EQ(info.GetTypeName(1, 0), u"Error!!!"_s);
}

TEST(clsFormatInfo, TypeWordsAreTrimmedOnlyByGetType)
{
    EXPECT_EQ(info.GetType(u"  long  "_s), 2);
    EXPECT_EQ(info.GetType(u"unsigned"_s), 5);
    EXPECT_EQ(info.GetType(QString()), 5);
    EXPECT_EQ(info.GetType(u"LONG"_s), 5);
    EXPECT_TRUE(info.IsSupportTypeName(u"int"_s));
    EXPECT_FALSE(info.IsSupportTypeName(u" int"_s));
    EXPECT_FALSE(info.IsSupportTypeName(u"Int"_s));
    EXPECT_FALSE(info.IsSupportTypeName(QString()));
}

TEST(clsFormatInfo, TypeSizesAndMaximums)
{
    const int widths[] = {6, 11, 8, 16, 255};
    const int sizes[] = {2, 4, 4, 8, 255};
    const int maximums[] = {32767, 2147483647, 0, 0, 0};
    for (int type = 1; type <= 5; ++type) {
        EXPECT_EQ(info.GetTypeLen(type), widths[type - 1]);
        EXPECT_EQ(info.GetTypeLenB(type), sizes[type - 1]);
        EXPECT_EQ(info.GetTypeMax(type), maximums[type - 1]);
    }
    EXPECT_EQ(info.GetTypeLen(9), 0);
    EXPECT_EQ(info.GetTypeLenB(9), 255);
    EXPECT_EQ(info.GetTypeLenB(0), 255);
    EXPECT_EQ(info.GetTypeMax(9), 0);
}

TEST(clsFormatInfo, Justification)
{
    EXPECT_EQ(info.GetStuffName(1), u"右詰め"_s);
    EXPECT_EQ(info.GetStuffName(2), u"左詰め"_s);
    EXPECT_EQ(info.GetStuffName(3), u"不定"_s);
    EXPECT_EQ(info.GetStuffName(0), u"不定"_s);
    EXPECT_EQ(info.GetStuff(u"右詰め"_s), 1);
    EXPECT_EQ(info.GetStuff(u"左詰め"_s), 2);
    EXPECT_EQ(info.GetStuff(u"不定"_s), 2);
    EXPECT_EQ(info.GetStuff(u" 右詰め"_s), 2);
}

TEST(clsFormatInfo, NamedCharacters)
{
    EXPECT_EQ(info.GetChrByName(u" tab "_s), u"\t"_s);
    EXPECT_EQ(info.GetChrByName(u"タブ"_s), u"\t"_s);
    EXPECT_EQ(info.GetChrByName(u"space"_s), u" "_s);
    EXPECT_EQ(info.GetChrByName(u"スペース"_s), u" "_s);
    EXPECT_EQ(info.GetChrByName(u"comma"_s), u","_s);
    EXPECT_EQ(info.GetChrByName(u"カンマ"_s), u","_s);
    EXPECT_EQ(info.GetChrByName(u"ゼロ"_s), u"0"_s);
    EXPECT_EQ(info.GetChrByName(u"#x"_s), u"#"_s);
    EXPECT_EQ(info.GetChrByName(QString()), QString());
    EXPECT_EQ(info.GetChrByName(u"Tab"_s), u"T"_s);

    EXPECT_EQ(info.GetNameByChr(u" "_s), u"スペース"_s);
    EXPECT_EQ(info.GetNameByChr(u"\t"_s), u"タブ"_s);
    EXPECT_EQ(info.GetNameByChr(u","_s), u"カンマ"_s);
    EXPECT_EQ(info.GetNameByChr(u"0"_s), u"ゼロ"_s);
    EXPECT_EQ(info.GetNameByChr(u"#x"_s), u"#x"_s);

    for (const QString& delimiter :
         {u"\t"_s, u" "_s, u","_s, u"スペース"_s, u"タブ"_s, u"カンマ"_s})
        EXPECT_TRUE(info.IsSupportDelimiter(delimiter));
    EXPECT_FALSE(info.IsSupportDelimiter(u";"_s));
    EXPECT_FALSE(info.IsSupportDelimiter(u"tab"_s));
}

TEST(clsFormatInfo, Flags)
{
    EXPECT_EQ(info.GetBoolStr(1), u"する"_s);
    EXPECT_EQ(info.GetBoolStr(0), u"しない"_s);
    EXPECT_EQ(info.GetBoolStr(-1), u"しない"_s);
    EXPECT_EQ(info.GetBool(u"する"_s), 1);
    EXPECT_EQ(info.GetBool(u"しない"_s), 0);
    EXPECT_EQ(info.GetBool(u"1"_s), 0);
}

TEST(clsFormatInfo, CharacterSets)
{
    const QString names[] = {u"Shift-JIS"_s, u"JIS"_s, u"EUC"_s, u"UTF-8"_s};
    for (int code = 1; code <= 4; ++code) {
        EXPECT_EQ(info.GetCharSetAsName(code), names[code - 1]);
        EXPECT_EQ(info.GetCharSet(names[code - 1]), code);
    }
    EXPECT_EQ(info.GetCharSetAsName(0), QString());
    EXPECT_EQ(info.GetCharSetAsName(5), QString());
    EXPECT_EQ(info.GetCharSet(u"ISO-2022-JIS"_s), 2);
    EXPECT_EQ(info.GetCharSet(u"xEUCx"_s), 3);
    EXPECT_EQ(info.GetCharSet(u"shift_jis"_s), 4);
    EXPECT_EQ(info.GetCharSet(QString()), 4);
}

TEST(clsFormatInfo, LineEnds)
{
    EXPECT_EQ(info.GetCRLFValue(1), u"\r\n"_s);
    EXPECT_EQ(info.GetCRLFValue(2), u"\r"_s);
    EXPECT_EQ(info.GetCRLFValue(3), u"\n"_s);
    EXPECT_EQ(info.GetCRLFValue(0), QString());
    EXPECT_EQ(info.GetCRLF(u"\r\n"_s), 1);
    EXPECT_EQ(info.GetCRLF(u"\r"_s), 2);
    EXPECT_EQ(info.GetCRLF(u"\n"_s), 3);
    EXPECT_EQ(info.GetCRLF(u"LF"_s), 3);
    EXPECT_EQ(info.GetCRLF(QString()), 3);
    EXPECT_EQ(info.GetCRLFAsName(1), u"CRLF"_s);
    EXPECT_EQ(info.GetCRLFAsName(2), u"CR"_s);
    EXPECT_EQ(info.GetCRLFAsName(3), u"LF"_s);
    EXPECT_EQ(info.GetCRLFAsName(4), QString());
}

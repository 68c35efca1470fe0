// The text helpers: paths with either separator, fields, quotes, extensions and padding.
#include "Module1.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(Module1, TrimTakesOnlySpaces)
{
    EXPECT_EQ(Module1::Trim(u"  a b  "_s), u"a b"_s);
    EXPECT_EQ(Module1::Trim(u" \r\n "_s), u"\r\n"_s);
    EXPECT_EQ(Module1::Trim(u"\tx\t"_s), u"\tx\t"_s);
    EXPECT_EQ(Module1::Trim(u"   "_s), QString());
}

TEST(Module1, FileAndFolderNames)
{
    EXPECT_EQ(Module1::GetFileName(u"C:\\data\\売上.csv"_s), u"売上.csv"_s);
    EXPECT_EQ(Module1::GetFileName(u"/home/u/data.txt"_s), u"data.txt"_s);
    EXPECT_EQ(Module1::GetFileName(u"mixed\\dir/file"_s), u"file"_s);
    EXPECT_EQ(Module1::GetFileName(u"bare.txt"_s), u"bare.txt"_s);
    EXPECT_EQ(Module1::GetFileName(u"C:\\dir\\"_s), QString());

    EXPECT_EQ(Module1::GetDirName(u"C:\\data\\売上.csv"_s), u"C:\\data\\"_s);
    EXPECT_EQ(Module1::GetDirName(u"/home/u/data.txt"_s), u"/home/u/"_s);
    EXPECT_EQ(Module1::GetDirName(u"a/b\\c"_s), u"a/b\\"_s);
    EXPECT_EQ(Module1::GetDirName(u"bare.txt"_s), QString());
    EXPECT_EQ(Module1::GetDirName(u"C:\\dir\\"_s), u"C:\\dir\\"_s);
    EXPECT_EQ(Module1::GetDirName(QString()), QString());
}

TEST(Module1, SplitFields)
{
    QStringList fields{u"stale"_s};
    EXPECT_EQ(Module1::SplitFields(fields, u" \"a\" , b "_s, u","_s), 2);
    EXPECT_EQ(fields, (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(Module1::SplitFields(fields, u"a,,b"_s, u","_s), 3);
    EXPECT_EQ(fields, (QStringList{u"a"_s, QString(), u"b"_s}));
    EXPECT_EQ(Module1::SplitFields(fields, QString(), u","_s), 1);
    EXPECT_EQ(fields, QStringList{QString()});
    // Quotes do not protect a delimiter.
    EXPECT_EQ(Module1::SplitFields(fields, u"\"a,b\",c"_s, u","_s), 3);
    EXPECT_EQ(fields, (QStringList{u"\"a"_s, u"b\""_s, u"c"_s}));
    EXPECT_EQ(Module1::SplitFields(fields, u"1::2::3"_s, u"::"_s), 3);
    EXPECT_EQ(fields[2], u"3"_s);
    EXPECT_EQ(Module1::SplitFields(fields, u"aXbxc"_s, u"x"_s), 2);
    EXPECT_EQ(fields, (QStringList{u"aXb"_s, u"c"_s}));
    // Line ends survive: trimming takes spaces only.
    EXPECT_EQ(Module1::SplitFields(fields, u"1,1,\r\n"_s, u","_s), 3);
    EXPECT_EQ(fields[2], u"\r\n"_s);
    EXPECT_EQ(Module1::SplitFields(fields, u"a,"_s, u","_s), 2);
    EXPECT_EQ(fields, (QStringList{u"a"_s, QString()}));
}

TEST(Module1, SplitFieldsWithAnEmptyDelimiterGivesOneField)
{
    QStringList fields;
    EXPECT_EQ(Module1::SplitFields(fields, u" a,b "_s, QString()), 1);
    EXPECT_EQ(fields, QStringList{u"a,b"_s});
}

TEST(Module1, Unquote)
{
    EXPECT_EQ(Module1::Unquote(u"  \" x \"  "_s), u"x"_s);
    EXPECT_EQ(Module1::Unquote(u"\"\""_s), QString());
    EXPECT_EQ(Module1::Unquote(u"\""_s), u"\""_s);
    EXPECT_EQ(Module1::Unquote(u"\"a"_s), u"\"a"_s);
    EXPECT_EQ(Module1::Unquote(u"\"\"a\"\""_s), u"\"a\""_s);
}

TEST(Module1, ChangeExt)
{
    EXPECT_EQ(Module1::ChangeExt(u"DATA.TXT"_s, u"csv"_s), u"DATA.csv"_s);
    EXPECT_EQ(Module1::ChangeExt(u"a.b.c"_s, u"xml"_s), u"a.b.xml"_s);
    EXPECT_EQ(Module1::ChangeExt(u"DATA."_s, u"htm"_s), u"DATA.htm"_s);
    EXPECT_EQ(Module1::ChangeExt(u"DATA"_s, u"csv"_s), u"DATA"_s);
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(Module1::ChangeExt(u"C:\\my.dir\\DATA"_s, u"csv"_s), u"C:\\my.dir\\DATA"_s);
    EXPECT_EQ(Module1::ChangeExt(u"/home/u.v/data"_s, u"csv"_s), u"/home/u.v/data"_s);
    EXPECT_EQ(Module1::ChangeExt(u"/home/u.v/data.txt"_s, u"csv"_s), u"/home/u.v/data.csv"_s);
}

TEST(Module1, PadFieldCountsShiftJisBytes)
{
    EXPECT_EQ(Module1::PadField(u"売上"_s, u" "_s, 6, 1), u"  売上"_s);
    EXPECT_EQ(Module1::PadField(u"売上"_s, u" "_s, 6, 2), u"売上  "_s);
    EXPECT_EQ(Module1::PadField(u"ｱｲ"_s, u"0"_s, 4, 1), u"00ｱｲ"_s);
    EXPECT_EQ(Module1::PadField(u"abc"_s, u"*"_s, 5, 3), u"abc"_s);
    // Never cut; a wide fill is still added once per missing byte.
    EXPECT_EQ(Module1::PadField(u"abcdef"_s, u" "_s, 4, 2), u"abcdef"_s);
    EXPECT_EQ(Module1::PadField(u"ab"_s, u"＊"_s, 4, 2), u"ab＊＊"_s);
    EXPECT_EQ(Module1::PadField(QString(), u"0"_s, 3, 1), u"000"_s);
}

// Registry files: reading what the registry editor writes, writing what it reads, and the
// lines it cannot take.
#include "clsCodePage.h"
#include "clsFileSettingsStore.h"
#include "clsRegFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString prefix = u"[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Quillet\\"_s;

QByteArray Sjis(const QString& text)
{
    return clsCodePage::ToSjis(text);
}

} // namespace

TEST(clsRegFile, ReadsStringsEscapesAndHexValues)
{
    const QByteArray file =
        Sjis(u"REGEDIT4\r\n"
             u"\r\n"
             u"; a comment\r\n"_s +
             prefix + u"Formats]\r\n"_s + u"\"Sales\"=\"Sales\"\r\n\r\n"_s + prefix.toLower() +
             u"sales]\n"
             u"  \"FormatName\" = \"売上 \\\"明細\\\"\" ; trailing comment\n"
             u"\"Path\"=\"C:\\\\data\\\\ソ\"\n"
             u"\"Legacy\"=\"C:\\data\"\n"
             u"\"Tab\"=\"\t\"\n"
             u"\"FileType\"=hex(1):31,2c,31,2c,0d,0a,00\n"
             u"\"Long\"=HEX(1):41,42,\\\n"
             u"   43,0a,\\\n"
             u"   44\n"
             u"\"Empty\"=\"\"\n"_s);
    const clsRegFile::Result result = clsRegFile::Parse(file);
    ASSERT_EQ(result.szError, QString());
    ASSERT_EQ(result.values.size(), 8);
    EXPECT_EQ(result.values[0].szSection, u"Formats"_s);
    EXPECT_EQ(result.values[0].szKey, u"Sales"_s);
    EXPECT_EQ(result.values[1].szSection, u"sales"_s);
    EXPECT_EQ(result.values[1].szValue, u"売上 \"明細\""_s);
    EXPECT_EQ(result.values[2].szValue, u"C:\\data\\ソ"_s);
    EXPECT_EQ(result.values[3].szValue, u"C:\\data"_s);
    EXPECT_EQ(result.values[4].szValue, u"\t"_s);
    EXPECT_EQ(result.values[5].szValue, u"1,1,\r\n"_s);
    EXPECT_EQ(result.values[6].szValue, u"ABC\nD"_s);
    EXPECT_EQ(result.values[7].szValue, QString());
}

TEST(clsRegFile, WritesWhatItReads)
{
    const QList<clsRegFile::Value> values = {
        {u"Formats"_s, u"Sales"_s, u"Sales"_s},
        {u"Sales"_s, u"FileType"_s, u"1,1,\r\n"_s},
        {u"Sales"_s, u"CR"_s, u"2,1,\r"_s},
        {u"Sales"_s, u"Quotes"_s, u"a \"b\" \\c\\ \\\""_s},
        {u"Sales"_s, u"Tab"_s, u"\t"_s},
        {u"Sales"_s, u"Comment"_s, u"商品コード,ソ表"_s},
        {u"Sales"_s, u"Long"_s, u"改行を\r\n含む長いコメント"_s.repeated(8)},
        {u"Stock"_s, u"QuoteString"_s, u" "_s}};
    const QByteArray file = clsRegFile::Compose(values);
    const clsRegFile::Result result = clsRegFile::Parse(file);
    ASSERT_EQ(result.szError, QString());
    ASSERT_EQ(result.values.size(), values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(result.values[i].szSection, values[i].szSection) << i;
        EXPECT_EQ(result.values[i].szKey, values[i].szKey) << i;
        EXPECT_EQ(result.values[i].szValue, values[i].szValue) << i;
    }
    // Every line of the file is one physical line ending in CR LF.
    const QString text = clsCodePage::FromSjis(file);
    EXPECT_TRUE(text.startsWith(u"REGEDIT4\r\n\r\n"_s + prefix + u"Formats]\r\n"_s));
    EXPECT_TRUE(text.contains(u"\r\n\"FileType\"=hex(1):31,2c,31,2c,0d,0a,00\r\n"_s));
    EXPECT_TRUE(text.contains(u"\r\n\"Quotes\"=\"a \\\"b\\\" \\\\c\\\\ \\\\\\\"\"\r\n"_s));
    EXPECT_EQ(text.count(u'\r'), text.count(u'\n'));
    EXPECT_EQ(text.count(u"\r\n"_s), text.count(u'\n'));
    for (const QString& line : text.split(u"\r\n"_s))
        EXPECT_LE(line.size(), 100);
}

TEST(clsRegFile, ReportsTheLineItCannotTake)
{
    const QList<QPair<QString, int>> cases = {
        {u"Windows Registry Editor Version 5.00\r\n"_s, 1},
        {u"REGEDIT4\r\n\r\n\"A\"=\"1\"\r\n"_s, 3},
        {u"REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Other\\S]\r\n"_s, 2},
        {u"REGEDIT4\r\n"_s + prefix + u"S\\Sub]\r\n"_s, 2},
        {u"REGEDIT4\r\n"_s + prefix.left(prefix.size() - 1) + u"]\r\n"_s, 2},
        {u"REGEDIT4\r\n[-"_s + prefix.mid(1) + u"S]\r\n"_s, 2},
        {u"REGEDIT4\r\n"_s + prefix + u"S\r\n"_s, 2},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\"=\"open\r\n"_s, 3},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\" \"1\"\r\n"_s, 3},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\"=dword:00000001\r\n"_s, 3},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\"=\"1\" x\r\n"_s, 3},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\"=hex(1):4g,00\r\n"_s, 3},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\"=hex(1):41,\\\r\n 123\r\n"_s, 4},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n\"A\"=hex(1):41,00,42,00\r\n"_s, 3},
        {u"REGEDIT4\r\n"_s + prefix + u"S]\r\n@=\"default\"\r\n"_s, 3}};
    for (const auto& [text, line] : cases) {
        const clsRegFile::Result result = clsRegFile::Parse(Sjis(text));
        EXPECT_FALSE(result.szError.isEmpty()) << text.toStdString();
        EXPECT_EQ(result.nErrorLine, line) << text.toStdString();
        EXPECT_TRUE(result.values.isEmpty());
    }
    const clsRegFile::Result missing = clsRegFile::ReadFile(u"/no/such/file.reg"_s);
    EXPECT_FALSE(missing.szError.isEmpty());
    EXPECT_EQ(missing.nErrorLine, 0);
}

TEST(clsRegFile, ImportWritesEveryValue)
{
    QTemporaryDir dir;
    clsFileSettingsStore store(dir.filePath(u"settings.txt"_s));
    ASSERT_TRUE(clsRegFile::Import(
        {{u"Formats"_s, u"Sales"_s, u"Sales"_s}, {u"Sales"_s, u"FileType"_s, u"1,1,\r\n"_s}},
        store));
    EXPECT_EQ(store.Get(u"Quillet"_s, u"Formats"_s, u"Sales"_s), u"Sales"_s);
    EXPECT_EQ(store.Get(u"Quillet"_s, u"Sales"_s, u"FileType"_s), u"1,1,\r\n"_s);
}

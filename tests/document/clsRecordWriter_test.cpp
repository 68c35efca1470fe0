// The three record writers over the real Skiff library, checked byte by byte.
#include "clsFileSizeLimit.h"
#include "clsFormat.h"
#include "clsRecordWriter.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"
#include "clsTestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

clsMember* AddMember(clsFormat& format, int memType, int memLen, int memLenB)
{
    clsMember* member = format.AddMember();
    member->MemName = u"項目"_s + QString::number(format.MemCount());
    member->MemType = memType;
    member->MemLen = memLen;
    member->MemLenB = memLenB;
    return member;
}

clsMember* AddPadded(clsFormat& format, int memLenB, const QString& fill, int stuff)
{
    clsMember* member = AddMember(format, 5, memLenB, memLenB);
    member->BlankChr = fill;
    member->Stuff = stuff;
    return member;
}

clsFormat Format(int fileType)
{
    clsFormat format;
    format.FileType = fileType;
    return format;
}

class clsRecordWriterTest : public ::testing::Test
{
protected:
    void Row(const std::vector<QByteArray>& cells)
    {
        for (const QByteArray& cell : cells)
            records.AddCell(cell);
        records.EndRow();
    }

    bool Write(const clsFormat& format, int charSet = 1, int crlf = 1)
    {
        return clsRecordWriter(format, records).WriteRecords(path, charSet, crlf, header);
    }

    QByteArray Written(const clsFormat& format, int charSet = 1, int crlf = 1)
    {
        EXPECT_TRUE(Write(format, charSet, crlf));
        return Contents(path);
    }

    // Only the target is left in the folder: no temporary file stays behind.
    void ExpectOnlyTarget() const
    {
        const QStringList left =
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_EQ(left, QStringList({u"out.dat"_s}));
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"out.dat"_s);
    clsRecords records;
    QByteArray header;
};

} // namespace

TEST_F(clsRecordWriterTest, DelimitedQuotesStringsAndEscapesOnRequest)
{
    clsFormat format = Format(1);
    AddMember(format, 5, 20, 20);
    AddMember(format, 2, 11, 4);
    format.CareQuote = 0;
    Row({"a\"b", "12"});
    Row({});
    EXPECT_EQ(Written(format), QByteArray("\"a\"b\",12\r\n\"\",\r\n"));
    format.EscOutput = 1;
    format.SepChr = u"\t"_s;
    EXPECT_EQ(Written(format, 1, 3), QByteArray("\"a\"\"b\"\t12\n\"\"\t\n"));
}

TEST_F(clsRecordWriterTest, DelimitedEscapeGrowsItsBufferAndSkipsTrailBytes)
{
    clsFormat format = Format(1);
    format.EscOutput = 1;
    AddMember(format, 2, 11, 4);
    // 表 has the trail byte 0x5C; 0x88 0x9F is a lead byte followed by a quote-free trail.
    const QByteArray longCell = QByteArray(3000, '"');
    Row({longCell});
    Row({"\x95\x5C\"\x88\x9F\""});
    EXPECT_EQ(Written(format, 1, 2),
              QByteArray(6000, '"') + "\r" + QByteArray("\x95\x5C\"\"\x88\x9F\"\"\r"));
}

TEST_F(clsRecordWriterTest, DelimitedConvertsEveryLineAndLineEndsFollowTheCode)
{
    clsFormat format = Format(1);
    AddMember(format, 5, 20, 20);
    format.CRLF = u"\n"_s;
    Row({"\x93\xFA\x96\x7B"});
    // Line end 0 means the format's own.
    EXPECT_EQ(Written(format, 3, 0), QByteArray("\"\xC6\xFC\xCB\xDC\"\n"));
    EXPECT_EQ(Written(format, 2, 2), QByteArray("\"\x1B$BF|K\\\x1B(B\"\r"));
    EXPECT_EQ(Written(format, 4, 1), QByteArray("\"\xE6\x97\xA5\xE6\x9C\xAC\"\r\n"));
}

TEST_F(clsRecordWriterTest, FixedLengthPadsBothWaysAndCutsToTheWidth)
{
    clsFormat format = Format(2);
    AddPadded(format, 5, u"0"_s, 1);
    AddPadded(format, 5, u"0"_s, 2);
    AddPadded(format, 5, u"*"_s, 7);
    Row({" 42 ", " 42 ", "ab"});
    Row({"1234567", "abcdefg", "123456"});
    // Another justification pads with NUL bytes, as the converting writer does.
    EXPECT_EQ(Written(format), QByteArray("0004242000ab\0\0\0\r\n12345abcde12345\r\n", 34));
}

TEST_F(clsRecordWriterTest, FixedLengthConvertsFieldByFieldAndCutsConvertedBytes)
{
    clsFormat format = Format(2);
    AddPadded(format, 4, u" "_s, 2);
    AddPadded(format, 3, u"0"_s, 1);
    Row({"\x93\xFA\x96\x7B", "7"});
    // JIS: the escape, the first kanji's two bytes, nothing more; EUC keeps the width.
    EXPECT_EQ(Written(format, 2, 3), QByteArray("\x1B$BF007\n"));
    EXPECT_EQ(Written(format, 3, 3), QByteArray("\xC6\xFC\xCB\xDC"
                                                "007\n"));
    // A full-width fill is one character per missing byte, as PadField does.
    format.Members(2)->BlankChr = u"　"_s;
    EXPECT_EQ(Written(format, 1, 3), QByteArray("\x93\xFA\x96\x7B\x81\x40\x81\n"));
}

TEST_F(clsRecordWriterTest, BinaryWritesNumbersInMemoryOrderAndPaddedStrings)
{
    clsFormat format = Format(3);
    AddMember(format, 1, 6, 2);
    AddMember(format, 2, 11, 4);
    AddMember(format, 3, 13, 4);
    AddMember(format, 4, 22, 8);
    AddPadded(format, 6, u" "_s, 2);
    AddMember(format, 9, 3, 3);
    Row({" -2 ", "70000", "1.5", "0.1", "ab", "ignored"});
    QByteArray expected;
    const int16_t s = -2;
    const int32_t l = 70000;
    const float f = 1.5f;
    const double d = 0.1;
    expected.append(reinterpret_cast<const char*>(&s), 2);
    expected.append(reinterpret_cast<const char*>(&l), 4);
    expected.append(reinterpret_cast<const char*>(&f), 4);
    expected.append(reinterpret_cast<const char*>(&d), 8);
    expected.append("ab    ");
    EXPECT_EQ(Written(format), expected);
}

TEST_F(clsRecordWriterTest, BinaryNumbersRoundHalfToEvenAndReportBadCells)
{
    clsFormat format = Format(3);
    AddMember(format, 1, 6, 2)->MemName = u"数量"_s;
    Row({"2.5"});
    Row({"-3.5"});
    Row({"40000"});
    Row({"abc"});
    Row({""});
    Row({"32767.5"});
    clsScriptedMsgBox msg;
    const QByteArray file = Written(format);
    const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].kind, u"Exclamation"_s);
    EXPECT_EQ(boxes[0].title, u"Quillet"_s);
    EXPECT_EQ(boxes[0].text,
              u"3行目、数量の項目値がオーバーフローしました。ゼロに変換して書き込みます。"_s);
    EXPECT_EQ(boxes[1].text,
              u"4行目 [数量]\r\n数値項目に文字が入っています。ゼロに変換して書込みます。"_s);
    EXPECT_EQ(boxes[2].text,
              u"6行目、数量の項目値がオーバーフローしました。ゼロに変換して書き込みます。"_s);
    const int16_t values[] = {2, -4, 0, 0, 0, 0};
    EXPECT_EQ(file, QByteArray(reinterpret_cast<const char*>(values), sizeof values));
}

TEST_F(clsRecordWriterTest, BinaryHeaderIsKeptOrCreatedAsNuls)
{
    clsFormat format = Format(3);
    format.BytesSkipHeader = 4;
    AddMember(format, 1, 6, 2);
    Row({"1"});
    header = QByteArray("\x01\x00\xFFZ", 4);
    EXPECT_EQ(Written(format), QByteArray("\x01\x00\xFFZ\x01\x00", 6));
    // A head of another size (a new document, another format) becomes NULs.
    format.BytesSkipHeader = 16;
    EXPECT_EQ(Written(format), QByteArray(16, '\0') + QByteArray("\x01\x00", 2));
    EXPECT_EQ(header, QByteArray(16, '\0'));
}

TEST_F(clsRecordWriterTest, UnwritableTargetReportsRowOneAndCreatesNothing)
{
    clsFormat format = Format(1);
    AddMember(format, 5, 20, 20);
    Row({"x"});
    clsScriptedMsgBox msg;
    path = dir.filePath(u"missing/out.dat"_s);
    EXPECT_FALSE(Write(format));
    EXPECT_TRUE(msg.TakeOne().text.startsWith(u"1行目でレコードの書込みに失敗しました。\r\n["_s));
    EXPECT_FALSE(QFileInfo::exists(path));
    // A folder that is a file.
    Put(dir.filePath(u"plain"_s), "keep");
    path = dir.filePath(u"plain/out.dat"_s);
    EXPECT_FALSE(Write(format));
    EXPECT_EQ(msg.TakeOne().kind, u"Exclamation"_s);
    EXPECT_EQ(Contents(dir.filePath(u"plain"_s)), QByteArray("keep"));
}

TEST_F(clsRecordWriterTest, FailedWritesLeaveTheOldFileAndNoTemporaryFile)
{
    clsFormat text = Format(1);
    AddMember(text, 5, 200, 200);
    clsFormat binary = Format(3);
    AddPadded(binary, 200, u" "_s, 2);
    // More than the stream's one-megabyte buffer, so the limit is hit while rows are written.
    for (int i = 0; i < 8000; ++i)
        Row({QByteArray(150, 'x')});
    for (const clsFormat* format : {&text, &binary}) {
        Put(path, "old contents");
        clsScriptedMsgBox msg;
        {
            const clsFileSizeLimit limit(1 << 19);
            EXPECT_FALSE(Write(*format));
        }
        // The stream buffers its writes: the failure shows a few rows on.
        const QString shown = msg.TakeOne().text;
        EXPECT_TRUE(shown.contains(u"行目でレコードの書込みに失敗しました。"_s))
            << shown.toStdString();
        EXPECT_GT(shown.section(u'行', 0, 0).toInt(), 80);
        EXPECT_EQ(Contents(path), QByteArray("old contents"));
        ExpectOnlyTarget();
    }
}

TEST_F(clsRecordWriterTest, FailedFlushOnClosingIsAFailureToo)
{
    clsFormat format = Format(2);
    AddPadded(format, 100, u" "_s, 2);
    for (int i = 0; i < 20; ++i)
        Row({"row"});
    Put(path, "old contents");
    clsScriptedMsgBox msg;
    {
        // Every write fits the stream's buffer; only the flush on closing meets the limit.
        const clsFileSizeLimit limit(1000);
        EXPECT_FALSE(Write(format));
    }
    EXPECT_TRUE(msg.TakeOne().text.startsWith(u"ファイルの書込みを完了できませんでした。"_s));
    EXPECT_EQ(Contents(path), QByteArray("old contents"));
    ExpectOnlyTarget();
}

TEST_F(clsRecordWriterTest, ReplacedFileKeepsPermissionsAndLinksStay)
{
    clsFormat format = Format(1);
    AddMember(format, 2, 11, 4);
    Row({"1"});
    Put(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(Written(format), QByteArray("1\r\n"));
    EXPECT_EQ(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ReadGroup);
    ExpectOnlyTarget();
    const QString link = dir.filePath(u"link.dat"_s);
    ASSERT_TRUE(QFile::link(path, link));
    path = link;
    Row({"2"});
    EXPECT_TRUE(Write(format));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Contents(dir.filePath(u"out.dat"_s)), QByteArray("1\r\n2\r\n"));
}

TEST_F(clsRecordWriterTest, UnconvertibleCharactersAreReportedAfterTheSave)
{
    clsFormat format = Format(1);
    AddMember(format, 2, 11, 4);
    // The IBM extension 0xFA40 (small roman one) has no EUC-JP code.
    Row({"\xFA\x40"});
    clsScriptedMsgBox msg;
    EXPECT_TRUE(Write(format, 3, 1));
    EXPECT_EQ(msg.TakeOne().text,
              u"変換できない文字が 1 文字ありました。〓に置き換えて保存しました。"_s);
}

TEST_F(clsRecordWriterTest, ManyLinesComeOutInEveryCharSetAsLineByLine)
{
    clsFormat format = Format(1);
    AddMember(format, 5, 20, 20);
    AddMember(format, 2, 11, 4);
    // Enough rows for several of the writer's batches, with an unconvertible character in
    // the first and the last row.
    constexpr int kRows = 30000;
    for (int i = 1; i <= kRows; ++i)
        Row({"\x93\xFA\x96\x7B", i == 1 || i == kRows ? "\xFA\x40" : QByteArray::number(i)});
    const QByteArray kanji[] = {"", "\x93\xFA\x96\x7B", "\x1B$BF|K\\\x1B(B", "\xC6\xFC\xCB\xDC",
                                "\xE6\x97\xA5\xE6\x9C\xAC"};
    for (int charSet = 1; charSet <= 4; ++charSet) {
        // The line of the unconvertible character as a file of that one row has it.
        clsRecords single;
        single.AddCell("\x93\xFA\x96\x7B");
        single.AddCell("\xFA\x40");
        single.EndRow();
        {
            clsScriptedMsgBox substitutions;
            ASSERT_TRUE(clsRecordWriter(format, single).WriteRecords(path, charSet, 1, header));
            substitutions.TakeShown();
        }
        const QByteArray missingLine = Contents(path);
        QByteArray expected;
        for (int i = 1; i <= kRows; ++i)
            expected += i == 1 || i == kRows
                            ? missingLine
                            : '"' + kanji[charSet] + "\"," + QByteArray::number(i) + "\r\n";
        clsScriptedMsgBox msg;
        EXPECT_EQ(Written(format, charSet, 1), expected) << charSet;
        if (charSet != 1) {
            EXPECT_EQ(msg.TakeOne().text,
                      u"変換できない文字が 2 文字ありました。〓に置き換えて保存しました。"_s)
                << charSet;
        }
    }
}

TEST_F(clsRecordWriterTest, RowsWithFewerCellsThanMembersWriteEmptyFields)
{
    clsFormat format = Format(1);
    for (int i = 0; i < 4; ++i)
        AddMember(format, 2, 11, 4);
    Row({"1", "2", "3", "4"});
    Row({"5"});
    Row({});
    Row({"6", "7", "8", "9"});
    EXPECT_EQ(Written(format), QByteArray("1,2,3,4\r\n5,,,\r\n,,,\r\n6,7,8,9\r\n"));
}

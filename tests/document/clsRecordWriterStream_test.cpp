// Records passed from the reader to the writer in batches, next to a whole load and save.
#include "clsFormat.h"
#include "clsRecordReader.h"
#include "clsRecordWriter.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"
#include "clsTestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void AddMember(clsFormat& format, int memType)
{
    clsMember* member = format.AddMember();
    member->MemName = u"項目"_s + QString::number(format.MemCount());
    member->MemType = memType;
    member->MemLen = 20;
    member->MemLenB = memType == 5 ? 20 : 4;
}

// Quoted strings with doubled quotes both ways, a number between them.
clsFormat Csv()
{
    clsFormat format;
    format.FileType = clsFormat::DelimitedText;
    format.CareQuote = 1;
    format.EscInput = 1;
    format.EscOutput = 1;
    AddMember(format, 5);
    AddMember(format, 2);
    AddMember(format, 5);
    return format;
}

class clsRecordWriterStreamTest : public ::testing::Test
{
protected:
    // The file as a load and a save of the whole document write it.
    QByteArray Whole(const clsFormat& source, const clsFormat& target, int charSet, int toCharSet)
    {
        clsRecords records;
        EXPECT_FALSE(clsRecordReader(source, records).ReadRecords(input, charSet).bFailed);
        QByteArray header;
        EXPECT_TRUE(clsRecordWriter(target, records).WriteRecords(output, toCharSet, 1, header));
        return Contents(output);
    }

    // The same with nRows rows at a time; false when the read or the write failed.
    bool Streamed(const clsFormat& source, const clsFormat& target, int charSet, int toCharSet,
                  int nRows)
    {
        clsRecords records;
        clsRecordWriter writer(target, records);
        if (!writer.Begin(output, toCharSet, 1))
            return false;
        clsRecordReader reader(source, records);
        batches = 0;
        reader.SetRowSink(
            [&](bool bEnd) {
                EXPECT_TRUE(bEnd || records.RowCount() == nRows);
                ++batches;
                return writer.TakeRows(records, bEnd);
            },
            nRows);
        const clsReadResult result = reader.ReadRecords(input, charSet);
        if (result.bFailed)
            return false;
        EXPECT_EQ(result.nCount, writer.Appended());
        rows = writer.Appended();
        return writer.Conclude();
    }

    QStringList Files() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QString input = dir.filePath(u"in.csv"_s);
    QString output = dir.filePath(u"out.csv"_s);
    int batches = 0;
    int rows = 0;
};

const QByteArray kSeven = "\"\x93\xFA\x96\x7B\",1,\"a\"\"b\"\r\n"
                          "\"\",2,\"\"\r\n"
                          "\"long text of more than eight bytes\",3,\"\x95\x5C\"\r\n"
                          "\"x\",4\r\n"
                          "\"y\",5,\"z\"\r\n"
                          "\"\"\"\",6,\"q\"\r\n"
                          "\"last\",7,\"\x83\x41\"\r\n";

} // namespace

TEST_F(clsRecordWriterStreamTest, BatchesWriteWhatAWholeSaveWritesInEveryCharSet)
{
    Put(input, kSeven);
    clsScriptedMsgBox msg;
    // The fourth line is short: the question is answered yes for both ways.
    for (int toCharSet = 1; toCharSet <= 4; ++toCharSet) {
        msg.QueueAnswer(clsMessenger::Yes);
        const QByteArray whole = Whole(Csv(), Csv(), 1, toCharSet);
        msg.QueueAnswer(clsMessenger::Yes);
        ASSERT_TRUE(Streamed(Csv(), Csv(), 1, toCharSet, 2));
        EXPECT_EQ(Contents(output), whole) << toCharSet;
        EXPECT_EQ(rows, 7);
        // Three full batches, then the last row with the end.
        EXPECT_EQ(batches, 4);
        msg.TakeShown();
    }
    EXPECT_EQ(Files(), QStringList({u"in.csv"_s, u"out.csv"_s}));
}

TEST_F(clsRecordWriterStreamTest, AnotherTargetFormatTakesItsOwnMembers)
{
    Put(input, kSeven.first(kSeven.indexOf("\"x\"")));
    clsFormat target = Csv();
    target.SepChr = u"\t"_s;
    target.EscOutput = 0;
    target.Members(2)->MemType = 5;
    AddMember(target, 2);
    const QByteArray whole = Whole(Csv(), target, 1, 1);
    EXPECT_TRUE(whole.startsWith("\"\x93\xFA\x96\x7B\"\t\"1\"\t\"a\"b\"\t\r\n")) << whole.data();
    ASSERT_TRUE(Streamed(Csv(), target, 1, 1, 1));
    EXPECT_EQ(Contents(output), whole);
}

TEST_F(clsRecordWriterStreamTest, SubstitutionsOfReadingAndWritingAreToldApart)
{
    // A NUL in the file becomes 〓 when read (twice, in different batches); the IBM extension
    // 0xFA40 reads as itself but has no EUC-JP code (once).
    const QByteArray nul(1, '\0');
    Put(input, "\"a\",1,\"b\"\r\n\"\xFA\x40\",2,\"c\"\r\n\"d\",3,\"e\"\r\n\"f\",4,\"g" + nul +
                   "\"\r\n\"h\",5,\"" + nul + "\"\r\n");
    clsScriptedMsgBox msg;
    ASSERT_TRUE(Streamed(Csv(), Csv(), 1, 3, 2));
    const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              u"変換できない文字が 2 文字ありました。〓に置き換えて表示しています。"_s);
    EXPECT_EQ(boxes[1].text,
              u"変換できない文字が 1 文字ありました。〓に置き換えて保存しました。"_s);
    EXPECT_EQ(Contents(output).count("\xA2\xAE"), 3);
}

TEST_F(clsRecordWriterStreamTest, AFailedReadLeavesTheTargetAsItWas)
{
    Put(input, kSeven);
    Put(output, "old");
    clsScriptedMsgBox msg;
    msg.QueueAnswer(clsMessenger::No);
    EXPECT_FALSE(Streamed(Csv(), Csv(), 1, 1, 2));
    const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, u"Question"_s);
    EXPECT_TRUE(boxes[1].text.endsWith(u"4 行目のレコードのフォーマットが違います。"_s));
    EXPECT_EQ(Contents(output), QByteArray("old"));
    EXPECT_EQ(Files(), QStringList({u"in.csv"_s, u"out.csv"_s}));
}

TEST_F(clsRecordWriterStreamTest, ATargetThatCannotBeOpenedIsLeftToTheWholeSave)
{
    clsScriptedMsgBox msg(true);
    clsRecords records;
    const clsFormat csv = Csv();
    clsRecordWriter writer(csv, records);
    EXPECT_FALSE(writer.Begin(dir.filePath(u"no/such/out.csv"_s), 1, 1));
    EXPECT_FALSE(writer.Conclude());
    clsFormat fixed = Csv();
    fixed.FileType = clsFormat::FixedText;
    EXPECT_FALSE(clsRecordWriter::Streams(fixed));
    EXPECT_FALSE(clsRecordWriter(fixed, records).Begin(output, 1, 1));
    EXPECT_EQ(Files(), QStringList());
}

TEST_F(clsRecordWriterStreamTest, CellsOfEveryLengthAroundAWordComeOutWhole)
{
    // Cells of 0 to 19 bytes, double-byte text and quotes among them, rows with cells missing
    // and with cells past the members.
    for (const int escOutput : {0, 1}) {
        clsFormat format = Csv();
        format.EscOutput = escOutput;
        clsRecords records;
        QByteArray expected;
        for (int length = 0; length < 20; ++length) {
            const int cellCount = 1 + length % 5;
            QByteArray line;
            for (int i = 1; i <= cellCount; ++i) {
                QByteArray cell = QByteArray(length, 'a' + static_cast<char>(i));
                if (length > 2 && i == 2)
                    cell.replace(1, 2, "\x95\x5C");
                if (length > 4 && i == 3)
                    cell[length / 2] = '"';
                records.AddCell(cell);
                if (i > 3)
                    continue;
                QByteArray out = escOutput ? QByteArray(cell).replace("\"", "\"\"") : cell;
                if (i != 2)
                    out = '"' + out + '"';
                line += (i > 1 ? "," : "") + out;
            }
            for (int i = cellCount + 1; i <= 3; ++i)
                line += i == 2 ? "," : ",\"\"";
            records.EndRow();
            expected += line + "\r\n";
        }
        QByteArray header;
        ASSERT_TRUE(clsRecordWriter(format, records).WriteRecords(output, 1, 1, header));
        EXPECT_EQ(Contents(output), expected) << escOutput;
    }
}

TEST_F(clsRecordWriterStreamTest, ClearedRecordsTakeNewRowsAsEmptyOnes)
{
    clsRecords records;
    for (int round = 0; round < 3; ++round) {
        // Rows of more than one block of memory, so that a block is dropped each time.
        for (int i = 0; i < 3000; ++i) {
            records.AddCell(QByteArray(2000, static_cast<char>('a' + round)));
            records.AddCell(QByteArray::number(i));
            records.EndRow();
        }
        records.SetCell(1, 2, "edited");
        EXPECT_EQ(records.RowCount(), 3000);
        EXPECT_EQ(records.Cell(3000, 1), QByteArray(2000, static_cast<char>('a' + round)));
        EXPECT_EQ(records.Cell(1, 2), QByteArray("edited"));
        EXPECT_TRUE(records.Edited(1, 2));
        records.Clear();
        EXPECT_EQ(records.RowCount(), 0);
        EXPECT_EQ(records.UsedBytes(), 0);
        records.AddCell("x");
        records.EndRow();
        EXPECT_EQ(records.Cell(1, 1), QByteArray("x"));
        EXPECT_FALSE(records.Edited(1, 1));
        records.Clear();
    }
}

TEST_F(clsRecordWriterStreamTest, FixedLengthLinesStreamIntoDelimitedText)
{
    clsFormat fixed;
    fixed.FileType = clsFormat::FixedText;
    AddMember(fixed, 5);
    fixed.Members(1)->MemLenB = 4;
    AddMember(fixed, 5);
    fixed.Members(2)->MemLenB = 3;
    Put(input, "\x93\xFA\x96\x7B"
               "abc\r\nx   y\r\n12345678\r\n\r\nlast z\r\n");
    clsFormat target = Csv();
    target.Members(2)->MemType = 5;
    const QByteArray whole = Whole(fixed, target, 1, 4);
    EXPECT_TRUE(whole.startsWith("\"\xE6\x97\xA5\xE6\x9C\xAC\",\"abc\",\"\"\r\n")) << whole.data();
    ASSERT_TRUE(Streamed(fixed, target, 1, 4, 2));
    EXPECT_EQ(Contents(output), whole);
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(batches, 3);
}

// Random delimited files converted batch by batch and by a whole load and save, side by side.
#include "clsFormat.h"
#include "clsRecordReader.h"
#include "clsRecordWriter.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"
#include "clsSmallDisk.h"
#include "clsTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

clsFormat RandomCsv(std::mt19937& random, int memCount)
{
    clsFormat format;
    format.FileType = clsFormat::DelimitedText;
    format.SepChr = random() % 2 ? u","_s : u"\t"_s;
    format.CareQuote = static_cast<int>(random() % 2);
    format.EscInput = static_cast<int>(random() % 2);
    format.EscOutput = static_cast<int>(random() % 2);
    for (int i = 0; i < memCount; ++i) {
        clsMember* member = format.AddMember();
        member->MemName = u"項目"_s + QString::number(i + 1);
        member->MemType = random() % 3 ? 5 : 2;
        member->MemLen = 20;
        member->MemLenB = 20;
    }
    return format;
}

// Lines of cells with quotes, both delimiters, double-byte text (表 ends in a backslash, the
// IBM extension has no EUC-JP code), lone lead bytes and NULs; some lines short or long.
QByteArray RandomFile(std::mt19937& random, int memCount)
{
    static const char* const kPieces[] = {"a",        "\"",   ",",  "\t",       " ",   "\x95\x5C",
                                          "\xFA\x40", "\x81", "12", "\x82\xA0", "\xB1"};
    QByteArray file;
    const int lines = static_cast<int>(random() % 7);
    for (int n = 0; n < lines; ++n) {
        const int cells = memCount + (random() % 4 == 0 ? static_cast<int>(random() % 3) - 1 : 0);
        for (int c = 0; c < cells; ++c) {
            if (c > 0)
                file += random() % 2 ? "," : "\t";
            const bool quoted = random() % 2;
            if (quoted)
                file += '"';
            const int pieces = static_cast<int>(random() % 5);
            for (int k = 0; k < pieces; ++k)
                file +=
                    random() % 40 == 0 ? QByteArray(1, '\0') : QByteArray(kPieces[random() % 11]);
            if (quoted)
                file += '"';
        }
        if (n + 1 < lines || random() % 2)
            file += random() % 2 ? "\r\n" : "\n";
    }
    return file;
}

struct Outcome
{
    bool bWritten = false;
    int nRows = 0;
    QByteArray bytes;
    QStringList boxes;
};

QStringList Boxes(clsScriptedMsgBox& msg)
{
    QStringList boxes;
    for (const clsScriptedMsgBox::Box& box : msg.TakeShown())
        boxes.append(box.kind + u": "_s + box.text);
    return boxes;
}

} // namespace

class clsRecordWriterStreamPaths : public ::testing::Test
{
protected:
    Outcome Whole(const clsFormat& source, const clsFormat& target, int toCharSet, int answer)
    {
        Put(output, "old");
        clsScriptedMsgBox msg;
        msg.QueueAnswer(answer);
        Outcome outcome;
        clsRecords records;
        const clsReadResult read = clsRecordReader(source, records).ReadRecords(input, charSet);
        if (!read.bFailed) {
            QByteArray header;
            outcome.bWritten =
                clsRecordWriter(target, records).WriteRecords(output, toCharSet, 1, header);
            outcome.nRows = records.RowCount();
        }
        outcome.bytes = Contents(output);
        outcome.boxes = Boxes(msg);
        Drain(msg, outcome.boxes);
        return outcome;
    }

    Outcome Streamed(const clsFormat& source, const clsFormat& target, int toCharSet, int answer,
                     int nRows)
    {
        Put(output, "old");
        clsScriptedMsgBox msg;
        msg.QueueAnswer(answer);
        Outcome outcome;
        {
            clsRecords records;
            clsRecordWriter writer(target, records);
            EXPECT_TRUE(writer.Begin(output, toCharSet, 1));
            clsRecordReader reader(source, records);
            reader.SetRowSink([&](bool bEnd) { return writer.TakeRows(records, bEnd); }, nRows);
            const bool failed = reader.ReadRecords(input, charSet).bFailed || !writer.Conclude();
            outcome.bWritten = !failed;
            outcome.nRows = failed ? 0 : writer.Appended();
        }
        outcome.bytes = Contents(output);
        outcome.boxes = Boxes(msg);
        Drain(msg, outcome.boxes);
        return outcome;
    }

    // The mismatch question is asked once at most: its answer is used up when it was not.
    static void Drain(clsScriptedMsgBox& msg, const QStringList& boxes)
    {
        if (!boxes.join(u'\n').contains(u"Question: "_s))
            msg.Question(QString(), QString());
        msg.TakeShown();
    }

    // The character set the file is read in.
    int charSet = 1;
    QTemporaryDir dir;
    QString input = dir.filePath(u"in.csv"_s);
    QString output = dir.filePath(u"out.csv"_s);
};

TEST_F(clsRecordWriterStreamPaths, BatchesMatchAWholeLoadAndSave)
{
    // Each save syncs its file: on a file system in memory that costs nothing.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"fast"_s));
    const clsSmallDisk memory(QFile::encodeName(dir.filePath(u"fast"_s)), "4m");
    const QString folder = memory.Mounted() ? dir.filePath(u"fast"_s) : dir.path();
    input = folder + u"/in.csv"_s;
    output = folder + u"/out.csv"_s;
    std::mt19937 random(8122026);
    for (int round = 0; round < (memory.Mounted() ? 400 : 60); ++round) {
        SCOPED_TRACE(round);
        const int memCount = 1 + static_cast<int>(random() % 4);
        clsFormat source = RandomCsv(random, memCount);
        // Some files are read as fixed-length lines, some in another character set.
        if (random() % 4 == 0) {
            source.FileType = clsFormat::FixedText;
            for (int i = 1; i <= memCount; ++i)
                source.Members(i)->MemLenB = static_cast<int>(random() % 6);
        }
        charSet = random() % 3 == 0 ? 2 + static_cast<int>(random() % 3) : 1;
        const clsFormat other = RandomCsv(random, memCount);
        const clsFormat& target =
            random() % 2 && source.FileType == clsFormat::DelimitedText ? source : other;
        const QByteArray file = RandomFile(random, memCount);
        Put(input, file);
        const int toCharSet = 1 + static_cast<int>(random() % 4);
        const int answer = random() % 2 ? clsMessenger::Yes : clsMessenger::No;
        const int rows = 1 + static_cast<int>(random() % 3);
        const Outcome whole = Whole(source, target, toCharSet, answer);
        const Outcome streamed = Streamed(source, target, toCharSet, answer, rows);
        EXPECT_EQ(streamed.bWritten, whole.bWritten) << file.toHex().constData();
        EXPECT_EQ(streamed.nRows, whole.nRows);
        EXPECT_EQ(streamed.bytes, whole.bytes) << file.toHex().constData();
        EXPECT_EQ(streamed.boxes, whole.boxes) << file.toHex().constData();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({u"in.csv"_s, u"out.csv"_s}));
    }
}

TEST_F(clsRecordWriterStreamPaths, AFullDiskEndsBothWaysAlike)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"small"_s));
    const clsSmallDisk disk(QFile::encodeName(dir.filePath(u"small"_s)), "64k");
    if (!disk.Mounted())
        GTEST_SKIP() << "no file system of the test's own can be mounted here";
    output = dir.filePath(u"small/out.csv"_s);
    clsFormat format;
    format.FileType = clsFormat::DelimitedText;
    format.CareQuote = 1;
    clsMember* member = format.AddMember();
    member->MemType = 5;
    member->MemName = u"m"_s;
    // More lines than the stream buffers, and a few that stay in the stream's buffer until it is
    // closed.
    for (const int lines : {12000, 3}) {
        SCOPED_TRACE(lines);
        QByteArray file;
        for (int n = 0; n < lines; ++n)
            file += "\"" + QByteArray(lines == 3 ? 30000 : 100, 'x') + "\"\r\n";
        Put(input, file);
        for (const int toCharSet : {1, 3}) {
            const Outcome whole = Whole(format, format, toCharSet, clsMessenger::Yes);
            const Outcome streamed = Streamed(format, format, toCharSet, clsMessenger::Yes, 100);
            EXPECT_FALSE(whole.bWritten);
            EXPECT_EQ(streamed.bWritten, whole.bWritten);
            EXPECT_EQ(streamed.bytes, QByteArray("old"));
            EXPECT_EQ(streamed.boxes, whole.boxes);
            EXPECT_EQ(QDir(dir.filePath(u"small"_s)).entryList(QDir::Files | QDir::Hidden),
                      QStringList(u"out.csv"_s));
        }
    }
}

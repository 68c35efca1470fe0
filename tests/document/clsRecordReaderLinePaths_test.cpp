// Shift-JIS lines cut whole by the reader, next to Skiff cutting them field by field
// (fixed-length) or column by column (delimited).
#include "clsFormat.h"
#include "clsRecordReader.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"
#include "clsSkiff.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Bytes that make lone and paired lead bytes, trail bytes that look like ASCII, half-width
// kana, spaces, the extra bytes given and, in some files, NULs. When the extra bytes hold a
// quote, some of the pieces between the delimiters are put in quotes as well.
QByteArray RandomLine(std::mt19937& random, bool bNuls, const QByteArray& extra, char delimiter)
{
    static const QByteArray kBytes("a \x81\x95\xE0\xFC\x40\x5C\xA0");
    const QByteArray bytes = kBytes + extra;
    QByteArray line;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i)
        line += bNuls && random() % 9 == 0 ? '\0' : bytes[random() % bytes.size()];
    if (!extra.contains('"'))
        return line;
    QList<QByteArray> pieces = line.split(delimiter);
    for (QByteArray& piece : pieces)
        piece = random() % 2 ? '"' + piece + '"' : piece;
    return pieces.join(delimiter);
}

// A file of random lines with any of the three line ends, the last one perhaps without.
void WriteRandomLines(const QString& path, std::mt19937& random, int lnLines, bool bNuls,
                      const QByteArray& extra, char delimiter = ',')
{
    static const char* const kEnds[] = {"\r\n", "\n", "\r"};
    QByteArray bytes;
    for (int i = 0; i < lnLines; ++i)
        bytes += RandomLine(random, bNuls, extra, delimiter) +
                 (i + 1 == lnLines && random() % 2 ? "" : kEnds[random() % 3]);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The cells and the count of geta marks as Skiff hands each field out on its own.
struct Expected
{
    std::vector<std::vector<QByteArray>> rows;
    int substitutions = 0;
};

Expected CutBySkiff(const QString& path, const std::vector<int>& widths)
{
    Expected expected;
    EXPECT_EQ(skiff::ReadTxtIni(clsSkiff::NativePath(path).constData(), " ", ",", 1, 0), 0);
    for (int n = 1; n <= skiff::GetTxtRowCnt(); ++n) {
        const int lineLength = skiff::GetTxtLineLen(n);
        std::vector<QByteArray> cells;
        int offset = 0;
        for (size_t i = 0; i < widths.size(); ++i) {
            if (offset >= lineLength) {
                cells.emplace_back();
                continue;
            }
            const bool last = i + 1 == widths.size();
            QByteArray text(lineLength * 2 + 4, '\0');
            EXPECT_EQ(skiff::GetTxtLineLocConv(n, text.data(), offset,
                                               last ? -1 : std::min(widths[i], lineLength - offset),
                                               static_cast<int>(text.size()), 1),
                      0);
            cells.push_back(QByteArray(text.constData()));
            offset += widths[i];
        }
        expected.rows.push_back(cells);
    }
    expected.substitutions = skiff::GetConvErrCnt();
    skiff::Terminate();
    return expected;
}

// Reads the file as the format says and compares cells and boxes with Skiff's own.
void ExpectSkiffCells(const clsFormat& format, const QString& path, const Expected& expected,
                      bool bQuestion)
{
    clsScriptedMsgBox msg;
    if (bQuestion)
        msg.QueueAnswer(clsMessenger::Yes);
    clsRecords records;
    const clsReadResult result = clsRecordReader(format, records).ReadRecords(path, 1);
    std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
    if (bQuestion) {
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.front().kind, u"Question"_s);
        boxes.erase(boxes.begin());
    }
    EXPECT_FALSE(result.bFailed);
    ASSERT_EQ(records.RowCount(), static_cast<int>(expected.rows.size()));
    for (int r = 1; r <= records.RowCount(); ++r) {
        for (int c = 1; c <= format.MemCount(); ++c)
            EXPECT_EQ(records.Cell(r, c).toByteArray(), expected.rows[r - 1][c - 1])
                << r << ',' << c;
    }
    if (expected.substitutions == 0) {
        EXPECT_TRUE(boxes.empty());
    } else {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, u"変換できない文字が "_s +
                                     QString::number(expected.substitutions) +
                                     u" 文字ありました。〓に置き換えて表示しています。"_s);
    }
}

// Skiff's columns of a delimited file asked one by one, as many as the format has members;
// bMismatch tells whether a line had another number of columns.
Expected ColumnsBySkiff(const QString& path, const char* szDelimiter, int lnMemCount,
                        int lnUnescape, bool& bMismatch)
{
    Expected expected;
    bMismatch = false;
    EXPECT_EQ(skiff::ReadTxtIni(clsSkiff::NativePath(path).constData(), szDelimiter, "\"", 1, 1),
              0);
    for (int n = 1; n <= skiff::GetTxtRowCnt(); ++n) {
        const int colCount = skiff::GetTxtColCnt(n);
        bMismatch = bMismatch || colCount != lnMemCount;
        std::vector<QByteArray> cells(static_cast<size_t>(lnMemCount));
        for (int i = 1; i <= std::min(colCount, lnMemCount); ++i) {
            QByteArray text(skiff::GetTxtLineLen(n) * 2 + 4, '\0');
            EXPECT_EQ(
                skiff::GetTxtCol(text.data(), static_cast<int>(text.size()), n, i, lnUnescape, 1),
                0);
            cells[static_cast<size_t>(i - 1)] = QByteArray(text.constData());
        }
        expected.rows.push_back(cells);
    }
    expected.substitutions = skiff::GetConvErrCnt();
    skiff::Terminate();
    return expected;
}

// Runs lnRounds rounds of a test, each on the same file name in a temporary folder.
template <class Round> void ForRounds(unsigned seed, int lnRounds, const Round& round)
{
    std::mt19937 random(seed);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"lines.txt"_s);
    for (int i = 0; i < lnRounds; ++i) {
        SCOPED_TRACE(i);
        round(i, random, path);
    }
}

} // namespace

TEST(clsRecordReaderLinePaths, FixedLinesCutAsSkiffCutsEachField)
{
    ForRounds(20261208, 300, [](int round, std::mt19937& random, const QString& path) {
        clsFormat format;
        format.FileType = clsFormat::FixedText;
        std::vector<int> widths;
        const int memCount = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < memCount; ++i) {
            clsMember* member = format.AddMember();
            member->MemType = 5;
            member->MemLen = 10;
            member->MemLenB = static_cast<int>(random() % 5);
            widths.push_back(member->MemLenB);
        }
        WriteRandomLines(path, random, 1 + static_cast<int>(random() % 6), round % 3 == 0, {});
        ExpectSkiffCells(format, path, CutBySkiff(path, widths), false);
    });
}

// Lines with and without quotes, delimiters after lone and paired lead bytes, delimiters that
// are lead-range bytes themselves (Skiff splits at the first byte of 、); files of many quoted
// lines, where the reader stops cutting lines, among them.
TEST(clsRecordReaderLinePaths, DelimitedLinesCutAsSkiffGivesEachColumn)
{
    ForRounds(20261209, 600, [](int round, std::mt19937& random, const QString& path) {
        clsFormat format;
        format.FileType = clsFormat::DelimitedText;
        format.CareQuote = 1;
        format.EscInput = static_cast<int>(random() % 2);
        const bool leadDelimiter = round % 4 == 1;
        if (leadDelimiter)
            format.SepChr = u"、"_s;
        const int memCount = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < memCount; ++i)
            format.AddMember()->MemType = 5;
        const bool manyQuotes = round % 10 == 0;
        WriteRandomLines(path, random, manyQuotes ? 40 : 1 + static_cast<int>(random() % 6),
                         round % 3 == 0, round % 2 == 0 || manyQuotes ? ",,\"" : ",,",
                         leadDelimiter ? '\x81' : ',');
        if (round % 10 == 1) {
            // A quote that is a lone lead byte's trail closes the file.
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::Append));
            file.write("\r\na,\"b\x81\"");
        }
        bool mismatch = false;
        const Expected expected = ColumnsBySkiff(path, leadDelimiter ? "\x81\x41" : ",", memCount,
                                                 format.EscInput, mismatch);
        ExpectSkiffCells(format, path, expected, mismatch);
    });
}

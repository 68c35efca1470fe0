// Fixed-length Shift-JIS lines cut whole by the reader, next to Skiff cutting field by field.
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
// kana, spaces and, in some files, NULs.
QByteArray RandomLine(std::mt19937& random, bool bNuls)
{
    static const char kBytes[] = {'a', ' ', '\x81', '\x95', '\xE0', '\xFC', '\x40', '\x5C', '\xA0'};
    QByteArray line;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i)
        line += bNuls && random() % 9 == 0 ? '\0' : kBytes[random() % sizeof kBytes];
    return line;
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

} // namespace

TEST(clsRecordReaderFixedPaths, WholeLinesCutAsSkiffCutsEachField)
{
    std::mt19937 random(20261208);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"fixed.txt"_s);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
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
        const bool nuls = round % 3 == 0;
        static const char* const kEnds[] = {"\r\n", "\n", "\r"};
        QByteArray bytes;
        const int lines = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < lines; ++i)
            bytes += RandomLine(random, nuls) +
                     (i + 1 == lines && random() % 2 ? "" : kEnds[random() % 3]);
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        const Expected expected = CutBySkiff(path, widths);
        clsScriptedMsgBox msg;
        clsRecords records;
        const clsReadResult result = clsRecordReader(format, records).ReadRecords(path, 1);
        const std::vector<clsScriptedMsgBox::Box> boxes = msg.TakeShown();
        EXPECT_FALSE(result.bFailed);
        ASSERT_EQ(records.RowCount(), static_cast<int>(expected.rows.size()));
        for (int r = 1; r <= records.RowCount(); ++r) {
            for (int c = 1; c <= memCount; ++c)
                EXPECT_EQ(records.Cell(r, c).toByteArray(), expected.rows[r - 1][c - 1])
                    << r << ',' << c << ' ' << bytes.toHex().constData();
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
}

// Binary records read whole and member by member (a string converted on reading asks for
// the latter) come out as the same cells, counts and boxes.
#include "clsFormat.h"
#include "clsRecordReader.h"
#include "clsRecords.h"
#include "clsScriptedMsgBox.h"
#include "clsTestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

// Doubles where %.15g changes its form or its rounding, and some of no form at all.
double SpecialDouble(std::mt19937_64& random)
{
    static const double kValues[] = {0.0,
                                     -0.0,
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::denorm_min(),
                                     -2.2250738585072009e-308,
                                     1e15,
                                     999999999999999.4,
                                     999999999999999.5,
                                     1e16 + 2,
                                     1e17,
                                     0.1,
                                     0.30000000000000004,
                                     1234567890.12345,
                                     0.0001,
                                     0.00012345678901234567,
                                     9.9999999999999995e-5,
                                     123456789012345678.0};
    const int pick = static_cast<int>(random() % 24);
    if (pick < 19)
        return kValues[pick];
    const uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return pick == 19 ? value : std::nextafter(kValues[random() % 19], 0.0);
}

struct Cells
{
    std::vector<QByteArray> cells;
    int nCount = 0;
    bool bFailed = false;
    QStringList boxes;
};

Cells ReadAll(const clsFormat& format, const QString& path, int charSet)
{
    clsScriptedMsgBox msg;
    clsRecords records;
    const clsReadResult result = clsRecordReader(format, records).ReadRecords(path, charSet);
    Cells read;
    read.nCount = result.nCount;
    read.bFailed = result.bFailed;
    for (int r = 1; r <= records.RowCount(); ++r) {
        for (int c = 1; c <= format.MemCount(); ++c)
            read.cells.push_back(records.Cell(r, c).toByteArray());
    }
    for (const clsScriptedMsgBox::Box& box : msg.TakeShown())
        read.boxes.append(box.text);
    return read;
}

} // namespace

TEST(clsRecordReaderBinaryPaths, WholeRecordsReadAsMemberByMember)
{
    std::mt19937_64 random(2026);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"data.bin"_s);
    static const int kSize[] = {0, 2, 4, 4, 8};
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        clsFormat format;
        format.FileType = clsFormat::BinaryFile;
        format.BytesSkipHeader = static_cast<int>(random() % 3) * 3;
        int recordSize = 0;
        std::vector<int> types;
        const int memCount = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < memCount; ++i) {
            clsMember* member = format.AddMember();
            member->MemType = i == 0 ? 5 : 1 + static_cast<int>(random() % 5);
            member->MemLen = 6;
            member->MemLenB = member->MemType == 5 ? static_cast<int>(random() % 6) : 0;
            types.push_back(member->MemType);
            recordSize += member->MemType == 5 ? member->MemLenB : kSize[member->MemType];
        }
        QByteArray bytes(format.BytesSkipHeader, 'h');
        const int records = static_cast<int>(random() % 5);
        for (int n = 0; n < records; ++n) {
            for (size_t i = 0; i < types.size(); ++i) {
                if (types[i] == 5) {
                    // ASCII, which reads the same in Shift-JIS and UTF-8, with padding.
                    for (int k = 0; k < format.Members(static_cast<int>(i) + 1)->MemLenB; ++k)
                        bytes += "ab \0"[random() % 4];
                } else if (types[i] == 4) {
                    const double value = SpecialDouble(random);
                    bytes += QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
                } else {
                    for (int k = 0; k < kSize[types[i]]; ++k)
                        bytes += static_cast<char>(random());
                }
            }
        }
        // Sometimes a trailing part of a record.
        if (recordSize > 1 && random() % 3 == 0)
            bytes += QByteArray(static_cast<int>(random() % (recordSize - 1)) + 1, 'a');
        Put(path, bytes);
        const Cells whole = ReadAll(format, path, 1);
        const Cells members = ReadAll(format, path, 4);
        EXPECT_EQ(whole.bFailed, members.bFailed);
        EXPECT_EQ(whole.nCount, members.nCount);
        EXPECT_EQ(whole.cells, members.cells) << bytes.toHex().constData();
        EXPECT_EQ(whole.boxes, members.boxes);
    }
}

// The binary record reader: Skiff's byte stream turned into rows, a whole record per call.
#include "clsCellText.h"
#include "clsFormat.h"
#include "clsReadFailure.h"
#include "clsRecordReader.h"
#include "clsRecordReaderCells.h"
#include "clsRecords.h"
#include "clsSkiff.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// A string field of the record: its bytes up to the first NUL, without the padding.
QByteArrayView StringField(const char* field, int width)
{
    const void* nul = std::memchr(field, '\0', static_cast<size_t>(width));
    const qsizetype length = nul != nullptr ? static_cast<const char*>(nul) - field : width;
    return clsCellText::TrimSpaces(QByteArrayView(field, length));
}

// A cell known to hold no NUL.
void AddText(clsRecords& records, QByteArrayView text)
{
    const auto length = static_cast<size_t>(text.size());
    char* out = records.CellSpace(length + 1);
    std::memcpy(out, text.data(), length);
    records.CommitCell(length);
}

template <typename T> void AddNumber(clsRecords& records, T value)
{
    char* out = records.CellSpace(clsRecordReaderCells::kNumberBytes);
    records.CommitCell(static_cast<size_t>(
        std::to_chars(out, out + clsRecordReaderCells::kNumberBytes, value).ptr - out));
}

void AddFloat(clsRecords& records, float value)
{
    char* out = records.CellSpace(clsRecordReaderCells::kNumberBytes);
    records.CommitCell(
        static_cast<size_t>(std::to_chars(out, out + clsRecordReaderCells::kNumberBytes, value,
                                          std::chars_format::general, 7)
                                .ptr -
                            out));
}

void AddDouble(clsRecords& records, double value)
{
    char* out = records.CellSpace(clsRecordReaderCells::kNumberBytes);
    records.CommitCell(clsRecordReaderCells::FormatDouble(out, value));
}

// Bytes a member occupies in a record: a number its binary size, a string its width.
int MemberBytes(const clsMember& member)
{
    static constexpr int kNumberSize[] = {0, 2, 4, 4, 8};
    if (member.MemType >= 1 && member.MemType <= 4)
        return kNumberSize[member.MemType];
    return member.MemType == 5 ? std::max(member.MemLenB, 0) : 0;
}

template <typename T> T Number(const char* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

qint64 clsRecordReader::BinaryRecordBytes(const clsFormat& format)
{
    qint64 size = 0;
    for (int i = 1; i <= format.MemCount(); ++i)
        size += MemberBytes(*format.Members(i));
    return size;
}

bool clsRecordReader::ReadBinary(const QByteArray& path, qint64 fileSize)
{
    const qint64 recordSize = BinaryRecordBytes(format);
    if (skiff::ReadBinIni(path.constData()) != 0)
        return OpenFailed();
    const int headerSize = std::max(format.BytesSkipHeader, 0);
    // Sizes come from the format: nothing is allocated for more than the file holds.
    if (headerSize > fileSize)
        return false;
    const qint64 bodySize = fileSize - headerSize;
    if (bodySize > 0 && recordSize > bodySize) {
        openError = clsReadFailure::LayoutTooLarge(filePath, recordSize, bodySize);
        return false;
    }
    if (headerSize > 0) {
        result.szHeaderBytes = QByteArray(headerSize, '\0');
        if (skiff::ReadBinString(result.szHeaderBytes.data(), headerSize) != 0)
            return false;
    }
    // A record of no bytes would never reach the end of the file.
    if (recordSize == 0)
        return false;
    records.Reserve(records.RowCount() +
                    static_cast<int>(std::max<qint64>(fileSize - headerSize, 0) / recordSize));
    if (ReadsWholeRecords(recordSize))
        return ReadBinaryRecords(fileSize, headerSize, recordSize);
    while (skiff::GetEOF() == 0) {
        ++n;
        for (int i = 1; i <= format.MemCount(); ++i) {
            const clsMember* member = format.Members(i);
            if (member->MemType < 1 || member->MemType > 5)
                return false;
            // A short read ends the file: a trailing partial record is dropped.
            if (!ReadBinaryMember(member->MemType, std::max(member->MemLenB, 0))) {
                records.DropRow();
                trailingBytes = fileSize - headerSize - (n - 1) * recordSize;
                return true;
            }
        }
        records.EndRow();
        Report(n, headerSize + n * recordSize, fileSize);
    }
    trailingBytes = fileSize - headerSize - n * recordSize;
    return true;
}

// Every member is raw bytes of the stream except a string converted on reading: without one,
// a record read whole is the same bytes its members would be read as one by one.
bool clsRecordReader::ReadsWholeRecords(qint64 nRecordSize) const
{
    if (nRecordSize > INT_MAX)
        return false;
    for (int i = 1; i <= format.MemCount(); ++i) {
        const int type = format.Members(i)->MemType;
        if (type < 1 || type > 5 || (type == 5 && charSet != 1))
            return false;
    }
    return true;
}

bool clsRecordReader::ReadBinaryRecords(qint64 fileSize, int lnHeaderSize, qint64 nRecordSize)
{
    struct Member
    {
        int type;
        int width;
    };
    std::vector<Member> members;
    for (int i = 1; i <= format.MemCount(); ++i) {
        const clsMember* member = format.Members(i);
        members.push_back({member->MemType, MemberBytes(*member)});
    }
    char* record = Buffer(static_cast<size_t>(nRecordSize));
    while (skiff::GetEOF() == 0) {
        ++n;
        // A short read ends the file: a trailing partial record is dropped.
        if (skiff::ReadBinString(record, static_cast<int>(nRecordSize)) != 0) {
            records.DropRow();
            trailingBytes = fileSize - lnHeaderSize - (n - 1) * nRecordSize;
            return true;
        }
        const char* field = record;
        for (const Member& member : members) {
            switch (member.type) {
            case 1:
                AddNumber(records, Number<int16_t>(field));
                break;
            case 2:
                AddNumber(records, Number<int32_t>(field));
                break;
            case 3:
                AddFloat(records, Number<float>(field));
                break;
            case 4:
                AddDouble(records, Number<double>(field));
                break;
            default:
                AddText(records, StringField(field, member.width));
                break;
            }
            field += member.width;
        }
        records.EndRow();
        Report(n, lnHeaderSize + n * nRecordSize, fileSize);
    }
    trailingBytes = fileSize - lnHeaderSize - n * nRecordSize;
    return true;
}

bool clsRecordReader::ReadBinaryMember(int memType, int memLenB)
{
    switch (memType) {
    case 1: {
        int16_t value = 0;
        if (skiff::ReadBinShort(&value, 2) != 0)
            return false;
        AddNumber(records, value);
        return true;
    }
    case 2: {
        int32_t value = 0;
        if (skiff::ReadBinLong(&value, 4) != 0)
            return false;
        AddNumber(records, value);
        return true;
    }
    case 3: {
        float value = 0;
        if (skiff::ReadBinFloat(&value, 4) != 0)
            return false;
        AddFloat(records, value);
        return true;
    }
    case 4: {
        double value = 0;
        if (skiff::ReadBinDouble(&value, 8) != 0)
            return false;
        AddDouble(records, value);
        return true;
    }
    default: {
        // Two NULs behind the field: the converter reads the field as a terminated text.
        char* text = Buffer(static_cast<size_t>(memLenB) + 2);
        std::memset(text, 0, static_cast<size_t>(memLenB) + 2);
        const int status = charSet != 1 ? skiff::ReadBinConvStr(text, memLenB, charSet)
                                        : skiff::ReadBinString(text, memLenB);
        if (status != 0)
            return false;
        AddText(records, StringField(text, memLenB));
        return true;
    }
    }
}

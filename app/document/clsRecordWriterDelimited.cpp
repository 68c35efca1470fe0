// The delimited record writer: rows of cells gathered into lines and written in large batches.
#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsOutputFile.h"
#include "clsRecordWriter.h"
#include "clsRecords.h"
#include "clsSkiff.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Lines of delimited text go out this many bytes at a time: one call and one conversion per
// batch instead of per line.
constexpr size_t kWriteBatch = size_t{256} << 10;
constexpr size_t kEscapeBuffer = 2048;

} // namespace

// Lines gathered for one write: grown only when a line does not fit, never filled with zeros
// for nothing.
class clsRecordWriter::clsLineBatch
{
public:
    explicit clsLineBatch(size_t nBatch) : bytes(nBatch + 4096) {}

    // Room for nBytes more; Commit takes the end of what was written there.
    char* Room(size_t nBytes)
    {
        if (bytes.size() - used < nBytes + 1)
            bytes.resize(std::max(used + nBytes + 1, bytes.size() * 2));
        return bytes.data() + used;
    }
    void Commit(const char* pEnd) { used = static_cast<size_t>(pEnd - bytes.data()); }
    void Append(const char* pData, size_t nBytes)
    {
        char* at = Room(nBytes);
        std::memcpy(at, pData, nBytes);
        Commit(at + nBytes);
    }
    const char* Data() const { return bytes.data(); }
    size_t Size() const { return used; }
    // The lines as one text; the room for the NUL is always kept.
    const char* Terminated()
    {
        bytes[used] = '\0';
        return bytes.data();
    }
    void Clear() { used = 0; }

private:
    std::vector<char> bytes;
    size_t used = 0;
};

// Here, where the line batch is known.
clsRecordWriter::clsRecordWriter(const clsFormat& fmt, const clsRecords& source, Progress report)
    : format(fmt), records(source), progress(std::move(report)), buffer(kEscapeBuffer)
{}

clsRecordWriter::~clsRecordWriter() = default;

void clsRecordWriter::StartDelimited()
{
    delimiter = clsCodePage::ToSjis(format.SepChr);
    // JIS switches between its character sets within a text, so each line is converted on
    // its own as ever; the other character sets convert each character by itself, and lines
    // converted together come out the same as one by one.
    batchBytes = charSet == 2 ? 0 : kWriteBatch;
    lines = std::make_unique<clsLineBatch>(batchBytes);
}

bool clsRecordWriter::WriteDelimited()
{
    StartDelimited();
    return AppendDelimited() && FinishLines();
}

bool clsRecordWriter::AppendDelimited()
{
    const int rowCount = records.RowCount();
    for (int i = 1; i <= rowCount; ++i) {
        r = rowBase + i;
        if (!AddLine(records.RowCells(i)) && !AddEscapedLine(i))
            return false;
        if (lines->Size() >= batchBytes && !FlushLines())
            return false;
        Report();
    }
    rowBase += rowCount;
    return true;
}

bool clsRecordWriter::FinishLines()
{
    // The last row's line is still held unless it filled a batch.
    r = rowBase;
    return lines->Size() == 0 || FlushLines();
}

bool clsRecordWriter::AddLine(clsRecords::CellCursor cells)
{
    // A double quote is doubled inside a cell only when asked for; a Shift-JIS trail byte is
    // never 0x22, so a row without that byte is copied as it is.
    const bool escapes = format.EscOutput == 1;
    const size_t memCount = fields.size();
    const size_t delimiterSize = static_cast<size_t>(delimiter.size());
    // The row's bytes bound its cells' bytes, whether the row keeps separators or not; one
    // search of them finds a quote in any cell.
    const QByteArrayView row = cells.Rest();
    if (escapes && !row.isEmpty() && std::memchr(row.data(), '"', static_cast<size_t>(row.size())))
        return false;
    char* at = lines->Room(static_cast<size_t>(row.size()) + memCount * (2 + delimiterSize) +
                           static_cast<size_t>(lineEnd.size()));
    for (size_t i = 0; i < memCount; ++i)
        at = PutCell(at, cells.Next(), i);
    std::memcpy(at, lineEnd.constData(), static_cast<size_t>(lineEnd.size()));
    lines->Commit(at + lineEnd.size());
    return true;
}

char* clsRecordWriter::PutCell(char* pAt, QByteArrayView cell, size_t nIndex) const
{
    const bool quoted = fields[nIndex].memType == 5;
    if (quoted)
        *pAt++ = '"';
    if (!cell.isEmpty())
        std::memcpy(pAt, cell.data(), static_cast<size_t>(cell.size()));
    pAt += cell.size();
    if (quoted)
        *pAt++ = '"';
    if (nIndex + 1 < fields.size()) {
        std::memcpy(pAt, delimiter.constData(), static_cast<size_t>(delimiter.size()));
        pAt += delimiter.size();
    }
    return pAt;
}

bool clsRecordWriter::AddEscapedLine(int lnRow)
{
    clsRecords::CellCursor cells = records.RowCells(lnRow);
    const size_t delimiterSize = static_cast<size_t>(delimiter.size());
    const size_t memCount = fields.size();
    for (size_t i = 0; i < memCount; ++i) {
        QByteArrayView cell = cells.Next();
        if (!Escape(cell))
            return false;
        const size_t size = static_cast<size_t>(cell.size());
        lines->Commit(PutCell(lines->Room(size + 2 + delimiterSize), cell, i));
    }
    lines->Append(lineEnd.constData(), static_cast<size_t>(lineEnd.size()));
    return true;
}

bool clsRecordWriter::FlushLines()
{
    bool written = false;
    if (charSet == 1) {
        // Shift-JIS goes out as it is: no conversion, and no terminator to search for.
        written = out->WriteBytes(lines->Data(), static_cast<qint64>(lines->Size()));
    } else {
        const int before = skiff::GetConvErrCnt();
        written = out->WriteText(lines->Terminated(), charSet);
        convErrors += skiff::GetConvErrCnt() - before;
    }
    lines->Clear();
    return written;
}

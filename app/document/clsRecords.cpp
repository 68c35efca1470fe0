// Blob storage, cell lookup and row permutation of the compact record store.
#include "clsRecords.h"

#include "clsCodePage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// Standard chunk size: large enough that a million rows need few allocations, small enough
// that the last, partly filled chunk wastes little. Chunks never move, so cell views stay
// valid while rows are appended.
constexpr uint32_t kChunkSize = uint32_t{4} << 20;
// Garbage below this is never worth a compaction.
constexpr int64_t kMinGarbage = int64_t{32} << 20;

size_t LengthPrefixSize(size_t length)
{
    size_t size = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++size;
    }
    return size;
}

char* WriteLengthPrefix(char* out, size_t length)
{
    while (length >= 0x80) {
        *out++ = static_cast<char>((length & 0x7F) | 0x80);
        length >>= 7;
    }
    *out++ = static_cast<char>(length);
    return out;
}

// Bytes up to the first NUL: what a cell can hold.
QByteArrayView UpToNul(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return bytes;
    const void* nul = std::memchr(bytes.data(), 0, static_cast<size_t>(bytes.size()));
    return nul ? bytes.first(static_cast<const char*>(nul) - bytes.data()) : bytes;
}

// Left uninitialised: pages become resident only once written. Standard chunks are asked
// to be backed by huge pages, which makes filling them several times cheaper in page faults.
char* AllocateChunk(size_t size)
{
#ifdef __linux__
    constexpr size_t kHugePage = size_t{2} << 20;
    if (size % kHugePage == 0) {
        void* data = std::aligned_alloc(kHugePage, size);
        if (data) {
            madvise(data, size, MADV_HUGEPAGE);
            return static_cast<char*>(data);
        }
    }
#endif
    void* data = std::malloc(size);
    if (!data)
        throw std::bad_alloc();
    return static_cast<char*>(data);
}

} // namespace

void clsRecords::SetRowCount(int lnRows)
{
    const size_t count = static_cast<size_t>(std::max(lnRows, 0));
    for (size_t i = count; i < rows.size(); ++i)
        Discard(rows[i]);
    rows.resize(count, kNoBlob);
    CompactIfWasteful();
}

QByteArrayView clsRecords::Cell(int lnRow, int lnCol) const
{
    if (lnRow < 1 || lnRow > RowCount() || lnCol < 1)
        return {};
    const QByteArrayView cells = Cells(rows[Index(lnRow)]);
    const char* p = cells.data();
    const char* end = p + cells.size();
    for (int col = 1; p < end; ++col) {
        const char* nul = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
        if (!nul)
            break;
        if (col == lnCol)
            return QByteArrayView(p, nul - p);
        p = nul + 1;
    }
    return {};
}

QString clsRecords::Text(int lnRow, int lnCol) const
{
    const QByteArrayView bytes = Cell(lnRow, lnCol);
    return clsCodePage::FromSjis(bytes.data(), bytes.size());
}

void clsRecords::SetCell(int lnRow, int lnCol, QByteArrayView bytes)
{
    if (lnRow < 1 || lnRow > RowCount() || lnCol < 1)
        return;
    uint64_t& entry = rows[Index(lnRow)];
    const QByteArrayView old = Cells(entry);
    const char* p = old.data();
    const char* end = p + old.size();
    std::string cells;
    cells.reserve(static_cast<size_t>(old.size() + bytes.size()) + static_cast<size_t>(lnCol));
    for (int col = 1; col < lnCol; ++col) {
        const char* nul =
            p < end ? static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)))
                    : nullptr;
        if (nul) {
            cells.append(p, static_cast<size_t>(nul - p) + 1);
            p = nul + 1;
        } else {
            cells.push_back('\0');
            p = end;
        }
    }
    const QByteArrayView text = UpToNul(bytes);
    cells.append(text.data(), static_cast<size_t>(text.size()));
    cells.push_back('\0');
    // The replaced cell itself, then every cell after it unchanged.
    if (p < end) {
        const char* nul = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
        p = nul ? nul + 1 : end;
        cells.append(p, static_cast<size_t>(end - p));
    }
    const uint64_t mark = entry & kMark;
    Discard(entry);
    entry = Store(QByteArrayView(cells.data(), static_cast<qsizetype>(cells.size()))) | mark;
    CompactIfWasteful();
}

void clsRecords::SetText(int lnRow, int lnCol, const QString& szText)
{
    SetCell(lnRow, lnCol, clsCodePage::ToSjis(szText));
}

void clsRecords::AddCell(QByteArrayView bytes)
{
    const QByteArrayView text = UpToNul(bytes);
    pending.append(text.data(), static_cast<size_t>(text.size()));
    pending.push_back('\0');
}

void clsRecords::EndRow()
{
    rows.push_back(Store(QByteArrayView(pending.data(), static_cast<qsizetype>(pending.size()))));
    pending.clear();
}

void clsRecords::InsertRows(int lnRow, int lnCount)
{
    if (lnRow < 1 || lnRow > RowCount() + 1 || lnCount <= 0)
        return;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(Index(lnRow)),
                static_cast<size_t>(lnCount), kNoBlob);
}

void clsRecords::RemoveRows(int lnRow, int lnCount)
{
    if (lnRow < 1 || lnCount <= 0 || lnRow + lnCount - 1 > RowCount())
        return;
    const auto first = rows.begin() + static_cast<std::ptrdiff_t>(Index(lnRow));
    const auto last = first + lnCount;
    for (auto it = first; it != last; ++it)
        Discard(*it);
    rows.erase(first, last);
    CompactIfWasteful();
}

void clsRecords::MoveRows(int lnRow, int lnCount, int lnDest)
{
    if (lnRow < 1 || lnCount <= 0 || lnRow + lnCount - 1 > RowCount() || lnDest < 1 ||
        lnDest > RowCount() + 1 || (lnDest >= lnRow && lnDest <= lnRow + lnCount))
        return;
    const auto begin = rows.begin();
    const auto first = begin + static_cast<std::ptrdiff_t>(Index(lnRow));
    const auto last = first + lnCount;
    const auto dest = begin + static_cast<std::ptrdiff_t>(Index(lnDest));
    if (dest > first)
        std::rotate(first, last, dest);
    else
        std::rotate(dest, first, last);
}

void clsRecords::SetMarked(int lnRow, bool bMarked)
{
    uint64_t& entry = rows[Index(lnRow)];
    entry = bMarked ? entry | kMark : entry & ~kMark;
}

void clsRecords::ClearMarks()
{
    for (uint64_t& entry : rows)
        entry &= ~kMark;
}

QByteArrayView clsRecords::Cells(uint64_t entry) const
{
    const uint64_t location = entry & ~kMark;
    if (location == kNoBlob)
        return {};
    const Chunk& chunk = chunks[static_cast<size_t>(location >> 32)];
    const auto* p =
        reinterpret_cast<const unsigned char*>(chunk.data.get()) + static_cast<uint32_t>(location);
    size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = *p++;
        length |= static_cast<size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            break;
    }
    return QByteArrayView(reinterpret_cast<const char*>(p), static_cast<qsizetype>(length));
}

uint64_t clsRecords::Store(QByteArrayView cells)
{
    if (cells.isEmpty())
        return kNoBlob;
    const size_t length = static_cast<size_t>(cells.size());
    const size_t need = LengthPrefixSize(length) + length;
    if (chunks.empty() || chunks.back().size - chunks.back().used < need) {
        Chunk chunk;
        chunk.size = static_cast<uint32_t>(std::max<size_t>(kChunkSize, need));
        chunk.data.reset(AllocateChunk(chunk.size));
        chunks.push_back(std::move(chunk));
    }
    Chunk& chunk = chunks.back();
    const uint64_t location = (static_cast<uint64_t>(chunks.size() - 1) << 32) | chunk.used;
    char* out = WriteLengthPrefix(chunk.data.get() + chunk.used, length);
    std::memcpy(out, cells.data(), length);
    chunk.used += static_cast<uint32_t>(need);
    usedBytes += static_cast<int64_t>(need);
    return location;
}

void clsRecords::Discard(uint64_t entry)
{
    const QByteArrayView cells = Cells(entry);
    if (!cells.isEmpty())
        garbageBytes += static_cast<int64_t>(LengthPrefixSize(static_cast<size_t>(cells.size())) +
                                             static_cast<size_t>(cells.size()));
}

void clsRecords::CompactIfWasteful()
{
    if (garbageBytes < kMinGarbage || garbageBytes < LiveBytes())
        return;
    // Rewriting in row order also restores locality after sorting and moving.
    clsRecords compact;
    compact.rows.reserve(rows.size());
    for (const uint64_t entry : rows)
        compact.rows.push_back(compact.Store(Cells(entry)) | (entry & kMark));
    rows.swap(compact.rows);
    chunks.swap(compact.chunks);
    usedBytes = compact.usedBytes;
    garbageBytes = 0;
}

void clsRecords::Free::operator()(char* data) const
{
    std::free(data);
}

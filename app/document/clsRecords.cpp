// Blob storage, cell lookup and row permutation of the compact record store.
#include "clsRecords.h"

#include "clsCodePage.h"
#include "clsPrefaulter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Standard chunk size: large enough that a million rows need few allocations, small enough
// that the last, partly filled chunk wastes little. Chunks never move, so cell views stay
// valid while rows are appended.
constexpr uint32_t kChunkSize = uint32_t{4} << 20;
// Reserved blocks: below the smaller size a second thread costs more than it saves; above
// the larger one the 32-bit offsets in a chunk would not reach.
constexpr int64_t kMinReserve = int64_t{16} << 20;
constexpr int64_t kMaxReserve = int64_t{3} << 30;
constexpr size_t kHugePageSize = size_t{2} << 20;
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

size_t ReadLengthPrefix(const unsigned char*& p)
{
    size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = *p++;
        length |= static_cast<size_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return length;
    }
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

clsRecords::clsRecords() = default;
clsRecords::clsRecords(clsRecords&&) noexcept = default;
clsRecords& clsRecords::operator=(clsRecords&&) noexcept = default;

clsRecords::~clsRecords()
{
    // The thread must be gone before the chunks it works on.
    prefaulter.reset();
}

void clsRecords::ReserveBytes(int64_t nBytes)
{
    EndReserve();
    if (!chunks.empty() || nBytes < kMinReserve || nBytes > kMaxReserve)
        return;
    const size_t size =
        (static_cast<size_t>(nBytes) + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
    Chunk chunk;
    chunk.size = static_cast<uint32_t>(size);
    chunk.data.reset(AllocateChunk(size));
    chunks.push_back(std::move(chunk));
    prefaulter = std::make_unique<clsPrefaulter>(chunks.back().data.get(), size);
}

void clsRecords::EndReserve()
{
    if (!prefaulter)
        return;
    prefaulter.reset();
    // The reserved block is the first chunk. Its pages past the rows may have been faulted
    // in already: they go back to the system, and the block ends at its rows.
    Chunk& chunk = chunks.front();
#ifdef __linux__
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t used = (chunk.used + page - 1) / page * page;
    if (used < chunk.size)
        madvise(chunk.data.get() + used, chunk.size - used, MADV_DONTNEED);
#endif
    chunk.size = chunk.used;
}

void clsRecords::SetRowCount(int lnRows)
{
    const size_t count = static_cast<size_t>(std::max(lnRows, 0));
    for (size_t i = count; i < rows.size(); ++i)
        Discard(rows[i]);
    rows.resize(count, kNoBlob);
    CompactIfWasteful();
}

void clsRecords::Clear()
{
    EndReserve();
    rows.clear();
    pendingSize = 0;
    if (chunks.size() > 1)
        chunks.resize(1);
    if (!chunks.empty())
        chunks.front().used = 0;
    usedBytes = 0;
    garbageBytes = 0;
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

clsRecords::CellCursor clsRecords::RowCells(int lnRow) const
{
    if (lnRow < 1 || lnRow > RowCount())
        return CellCursor({});
    return CellCursor(Cells(rows[Index(lnRow)]));
}

QByteArrayView clsRecords::CellCursor::Next()
{
    if (p >= end)
        return {};
    const char* nul = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
    if (!nul) {
        p = end;
        return {};
    }
    const QByteArrayView cell(p, nul - p);
    p = nul + 1;
    return cell;
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
    const QByteArrayView oldEdits = Edits(entry);
    const size_t byte = static_cast<size_t>(lnCol - 1) / 8;
    std::string edits(std::max(static_cast<size_t>(oldEdits.size()), byte + 1), '\0');
    // A row without edits has no edit set to copy, and no address for one.
    if (!oldEdits.isEmpty())
        std::memcpy(edits.data(), oldEdits.data(), static_cast<size_t>(oldEdits.size()));
    edits[byte] = static_cast<char>(edits[byte] | (1 << ((lnCol - 1) % 8)));
    const uint64_t mark = entry & kMark;
    Discard(entry);
    entry = Store(QByteArrayView(edits.data(), static_cast<qsizetype>(edits.size())),
                  QByteArrayView(cells.data(), static_cast<qsizetype>(cells.size()))) |
            mark;
    CompactIfWasteful();
}

void clsRecords::SetText(int lnRow, int lnCol, const QString& szText)
{
    SetCell(lnRow, lnCol, clsCodePage::ToSjis(szText));
}

bool clsRecords::Edited(int lnRow, int lnCol) const
{
    if (lnRow < 1 || lnRow > RowCount() || lnCol < 1)
        return false;
    const QByteArrayView edits = Edits(rows[Index(lnRow)]);
    const qsizetype byte = (lnCol - 1) / 8;
    return byte < edits.size() && (edits[byte] & (1 << ((lnCol - 1) % 8))) != 0;
}

std::string clsRecords::RowImage(int lnRow) const
{
    const uint64_t entry = rows[Index(lnRow)];
    bool edits = false;
    const QByteArrayView data = Data(entry, edits);
    std::string image(1, static_cast<char>((edits ? 1 : 0) | ((entry & kMark) ? 2 : 0)));
    image.append(data.data(), static_cast<size_t>(data.size()));
    return image;
}

void clsRecords::SetRowImage(int lnRow, const std::string& image)
{
    uint64_t& entry = rows[Index(lnRow)];
    Discard(entry);
    const char flags = image.empty() ? 0 : image[0];
    const QByteArrayView data = image.empty() ? QByteArrayView() : QByteArrayView(image).sliced(1);
    entry = StoreData(data, (flags & 1) != 0) | ((flags & 2) ? kMark : 0);
    CompactIfWasteful();
}

void clsRecords::InsertRowImages(int lnRow, const std::vector<std::string>& images)
{
    InsertRows(lnRow, static_cast<int>(images.size()));
    for (size_t i = 0; i < images.size(); ++i)
        SetRowImage(lnRow + static_cast<int>(i), images[i]);
}

void clsRecords::Reorder(const std::vector<int>& aOrder)
{
    if (aOrder.size() != rows.size())
        return;
    std::vector<uint64_t> reordered(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        reordered[i] = (rows[Index(aOrder[i])] & ~kMark) | (rows[i] & kMark);
    rows.swap(reordered);
}

void clsRecords::AddCell(QByteArrayView bytes)
{
    const QByteArrayView text = UpToNul(bytes);
    const size_t length = static_cast<size_t>(text.size());
    char* out = CellSpace(length + 1);
    if (length > 0)
        std::memcpy(out, text.data(), length);
    CommitCell(length);
}

char* clsRecords::CellSpace(size_t nBytes)
{
    if (pending.size() - pendingSize < nBytes)
        pending.resize(std::max(pendingSize + nBytes, pending.size() * 2));
    return pending.data() + pendingSize;
}

void clsRecords::CommitCell(size_t nLength)
{
    pending[pendingSize + nLength] = '\0';
    pendingSize += nLength + 1;
}

void clsRecords::EndRow()
{
    rows.push_back(Store({}, QByteArrayView(pending.data(), static_cast<qsizetype>(pendingSize))));
    pendingSize = 0;
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

QByteArrayView clsRecords::Data(uint64_t entry, bool& bEdits) const
{
    bEdits = false;
    const uint64_t location = entry & ~kMark;
    if (location == kNoBlob)
        return {};
    const Chunk& chunk = chunks[static_cast<size_t>(location >> 32)];
    const auto* p =
        reinterpret_cast<const unsigned char*>(chunk.data.get()) + static_cast<uint32_t>(location);
    const size_t prefix = ReadLengthPrefix(p);
    bEdits = (prefix & 1) != 0;
    return QByteArrayView(reinterpret_cast<const char*>(p), static_cast<qsizetype>(prefix >> 1));
}

QByteArrayView clsRecords::Cells(uint64_t entry) const
{
    bool edits = false;
    const QByteArrayView data = Data(entry, edits);
    if (!edits)
        return data;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const size_t count = ReadLengthPrefix(p);
    const qsizetype skip =
        reinterpret_cast<const char*>(p) - data.data() + static_cast<qsizetype>(count);
    return data.sliced(skip);
}

QByteArrayView clsRecords::Edits(uint64_t entry) const
{
    bool edits = false;
    const QByteArrayView data = Data(entry, edits);
    if (!edits)
        return {};
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    const size_t count = ReadLengthPrefix(p);
    return QByteArrayView(reinterpret_cast<const char*>(p), static_cast<qsizetype>(count));
}

uint64_t clsRecords::Store(QByteArrayView edits, QByteArrayView cells)
{
    if (edits.isEmpty())
        return StoreData(cells, false);
    std::string data(LengthPrefixSize(static_cast<size_t>(edits.size())), '\0');
    WriteLengthPrefix(data.data(), static_cast<size_t>(edits.size()));
    data.append(edits.data(), static_cast<size_t>(edits.size()));
    data.append(cells.data(), static_cast<size_t>(cells.size()));
    return StoreData(QByteArrayView(data.data(), static_cast<qsizetype>(data.size())), true);
}

uint64_t clsRecords::StoreData(QByteArrayView data, bool bEdits)
{
    if (data.isEmpty())
        return kNoBlob;
    const size_t length = static_cast<size_t>(data.size());
    const size_t prefix = length * 2 + (bEdits ? 1 : 0);
    const size_t need = LengthPrefixSize(prefix) + length;
    if (chunks.empty() || chunks.back().size - chunks.back().used < need) {
        Chunk chunk;
        chunk.size = static_cast<uint32_t>(std::max<size_t>(kChunkSize, need));
        chunk.data.reset(AllocateChunk(chunk.size));
        chunks.push_back(std::move(chunk));
    }
    Chunk& chunk = chunks.back();
    const uint64_t location = (static_cast<uint64_t>(chunks.size() - 1) << 32) | chunk.used;
    char* out = WriteLengthPrefix(chunk.data.get() + chunk.used, prefix);
    std::memcpy(out, data.data(), length);
    chunk.used += static_cast<uint32_t>(need);
    usedBytes += static_cast<int64_t>(need);
    if (prefaulter)
        prefaulter->Advance(chunks.front().used);
    return location;
}

void clsRecords::Discard(uint64_t entry)
{
    bool edits = false;
    const QByteArrayView data = Data(entry, edits);
    if (!data.isEmpty())
        garbageBytes += static_cast<int64_t>(
            LengthPrefixSize(static_cast<size_t>(data.size()) * 2 + (edits ? 1 : 0)) +
            static_cast<size_t>(data.size()));
}

void clsRecords::CompactIfWasteful()
{
    if (garbageBytes < kMinGarbage || garbageBytes < LiveBytes())
        return;
    // Rewriting in row order also restores locality after sorting and moving.
    clsRecords compact;
    compact.rows.reserve(rows.size());
    for (const uint64_t entry : rows) {
        bool edits = false;
        const QByteArrayView data = Data(entry, edits);
        compact.rows.push_back(compact.StoreData(data, edits) | (entry & kMark));
    }
    rows.swap(compact.rows);
    chunks.swap(compact.chunks);
    usedBytes = compact.usedBytes;
    garbageBytes = 0;
}

void clsRecords::Free::operator()(char* data) const
{
    std::free(data);
}

// The arena of the compact record store: chunks, slots, blobs and their compaction.
#include "clsPrefaulter.h"
#include "clsRecords.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Standard chunk size: one slot, so that the slots reach 128 GiB. Pages of the last, partly
// filled chunk are resident only once written. Chunks never move, so cell views stay valid
// while rows are appended.
constexpr uint32_t kChunkSize = uint32_t{16} << 20;
// Reserved blocks: below the smaller size a second thread costs more than it saves; above
// the larger one the 32-bit offsets in a chunk would not reach.
constexpr int64_t kMinReserve = int64_t{16} << 20;
constexpr int64_t kMaxReserve = int64_t{3} << 30;
constexpr size_t kHugePageSize = size_t{2} << 20;
// Garbage below this is never worth a compaction.
constexpr int64_t kMinGarbage = int64_t{32} << 20;
// A location is a slot number above an offset of this many bits.
constexpr int kSlotBits = 24;
constexpr size_t kSlotSize = size_t{1} << kSlotBits;

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

// Left uninitialised: pages become resident only once written. Standard chunks are asked
// to be backed by huge pages, which makes filling them several times cheaper in page faults.
char* AllocateChunk(size_t size)
{
#ifdef __linux__
    if (size % kHugePageSize == 0) {
        void* data = std::aligned_alloc(kHugePageSize, size);
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

void clsRecords::ReserveBytes(int64_t nBytes)
{
    EndReserve();
    if (!chunks.empty() || nBytes < kMinReserve || nBytes > kMaxReserve)
        return;
    const size_t size =
        (static_cast<size_t>(nBytes) + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
    AddChunk(size);
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

void clsRecords::Clear()
{
    EndReserve();
    rows.clear();
    DropRow();
    // The first chunk always starts at slot 0: a compaction builds its chunks afresh.
    if (chunks.size() > 1)
        chunks.resize(1);
    if (chunks.empty())
        slotBases.clear();
    else {
        chunks.front().used = 0;
        slotBases.resize((chunks.front().size + kSlotSize - 1) / kSlotSize);
    }
    usedBytes = 0;
    garbageBytes = 0;
}

void clsRecords::AddChunk(size_t nBytes)
{
    const size_t count = (nBytes + kSlotSize - 1) / kSlotSize;
    if (slotBases.size() + count > (kNoBlob >> kSlotBits))
        throw std::bad_alloc();
    Chunk chunk;
    chunk.size = static_cast<uint32_t>(nBytes);
    chunk.data.reset(AllocateChunk(nBytes));
    chunk.slot = slotBases.size();
    slotBases.reserve(slotBases.size() + count);
    for (size_t i = 0; i < count; ++i)
        slotBases.push_back(chunk.data.get() + i * kSlotSize);
    chunks.push_back(std::move(chunk));
}

char* clsRecords::Room(size_t nBytes, uint64_t& location)
{
    if (chunks.empty() || chunks.back().size - chunks.back().used < nBytes)
        AddChunk(std::max<size_t>(kChunkSize, nBytes));
    Chunk& chunk = chunks.back();
    location = static_cast<uint64_t>(chunk.slot + chunk.used / kSlotSize) << kSlotBits |
               (chunk.used % kSlotSize);
    char* out = chunk.data.get() + chunk.used;
    chunk.used += static_cast<uint32_t>(nBytes);
    usedBytes += static_cast<int64_t>(nBytes);
    if (prefaulter)
        prefaulter->Advance(chunks.front().used);
    return out;
}

const char* clsRecords::Address(uint64_t entry) const
{
    const uint64_t location = entry & kNoBlob;
    return slotBases[static_cast<size_t>(location >> kSlotBits)] + (location & (kSlotSize - 1));
}

QByteArrayView clsRecords::Data(uint64_t entry, bool& bEdits) const
{
    bEdits = false;
    if ((entry & kNoBlob) == kNoBlob || (entry & (kShaped | kNear)))
        return {};
    const auto* p = reinterpret_cast<const unsigned char*>(Address(entry));
    const size_t prefix = ReadLengthPrefix(p);
    bEdits = (prefix & 1) != 0;
    return QByteArrayView(reinterpret_cast<const char*>(p), static_cast<qsizetype>(prefix >> 1));
}

QByteArrayView clsRecords::Cells(uint64_t entry, std::string& scratch) const
{
    if (entry & (kShaped | kNear)) {
        // Only editing and undo ask for these: the NULs are put back in a copy.
        CellCursor cursor = Cursor(entry);
        scratch.clear();
        scratch.reserve(static_cast<size_t>(cursor.Rest().size()) + shapeWidths.size());
        for (size_t i = 0; i < shapeWidths.size(); ++i) {
            const QByteArrayView cell = cursor.Next();
            scratch.append(cell.data(), static_cast<size_t>(cell.size()));
            scratch.push_back('\0');
        }
        return QByteArrayView(scratch.data(), static_cast<qsizetype>(scratch.size()));
    }
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
    uint64_t location = 0;
    char* out = Room(LengthPrefixSize(prefix) + length, location);
    out = WriteLengthPrefix(out, prefix);
    std::memcpy(out, data.data(), length);
    return location;
}

uint64_t clsRecords::StoreCells(const char* pCells, const uint32_t* pLengths, size_t nCount)
{
    uint64_t location = 0;
    const size_t count = shapeWidths.size();
    if (shapeSet && nCount == count) {
        if (std::memcmp(pLengths, shapeWidths.data(), count * sizeof(uint32_t)) == 0) {
            std::memcpy(Room(shapeBytes, location), pCells, shapeBytes);
            return location | kShaped;
        }
        bool near = true;
        size_t total = 0;
        for (size_t i = 0; near && i < count; ++i) {
            const int64_t delta = int64_t{pLengths[i]} - int64_t{shapeWidths[i]};
            near = delta >= -8 && delta <= 7;
            total += pLengths[i];
        }
        if (near) {
            const size_t header = (count + 1) / 2;
            char* out = Room(header + total, location);
            std::memset(out, 0, header);
            for (size_t i = 0; i < count; ++i) {
                const auto nibble = static_cast<unsigned>(pLengths[i] - shapeWidths[i]) & 0xFu;
                out[i / 2] = static_cast<char>(static_cast<unsigned char>(out[i / 2]) |
                                               (nibble << (4 * (i % 2))));
            }
            std::memcpy(out + header, pCells, total);
            return location | kNear;
        }
    }
    size_t length = nCount;
    for (size_t i = 0; i < nCount; ++i)
        length += pLengths[i];
    const size_t prefix = length * 2;
    char* out = WriteLengthPrefix(Room(LengthPrefixSize(prefix) + length, location), prefix);
    for (size_t i = 0; i < nCount; ++i) {
        std::memcpy(out, pCells, pLengths[i]);
        out[pLengths[i]] = '\0';
        out += pLengths[i] + 1;
        pCells += pLengths[i];
    }
    return location;
}

void clsRecords::SetShape(const uint32_t* pLengths, size_t nCount)
{
    size_t total = 0;
    for (size_t i = 0; i < nCount; ++i)
        total += pLengths[i];
    // A row of empty cells says nothing about the rows after it.
    if (total == 0 || total > UINT32_MAX)
        return;
    shapeWidths.assign(pLengths, pLengths + nCount);
    shapeStarts.clear();
    size_t start = 0;
    for (const uint32_t width : shapeWidths) {
        shapeStarts.push_back(static_cast<uint32_t>(start));
        start += width;
    }
    shapeBytes = total;
    shapeSet = true;
}

int64_t clsRecords::BlobBytes(uint64_t entry) const
{
    if (entry & kShaped)
        return static_cast<int64_t>(shapeBytes);
    if (entry & kNear)
        return static_cast<int64_t>((shapeWidths.size() + 1) / 2) + Cursor(entry).Rest().size();
    bool edits = false;
    const QByteArrayView data = Data(entry, edits);
    if (data.isEmpty())
        return 0;
    return static_cast<int64_t>(
        LengthPrefixSize(static_cast<size_t>(data.size()) * 2 + (edits ? 1 : 0)) +
        static_cast<size_t>(data.size()));
}

void clsRecords::Discard(uint64_t entry)
{
    garbageBytes += BlobBytes(entry);
}

void clsRecords::CompactIfWasteful()
{
    if (garbageBytes < kMinGarbage || garbageBytes < LiveBytes())
        return;
    // The reserved block goes with the old chunks: its thread must stop first, and the block
    // must not be taken for the first of the new chunks, of which there may be none.
    EndReserve();
    // Rewriting in row order also restores locality after sorting and moving.
    clsRecords compact;
    compact.rows.reserve(rows.size());
    for (const Entry& row : rows) {
        const uint64_t entry = Value(row);
        uint64_t location = kNoBlob;
        if (entry & (kShaped | kNear)) {
            const auto size = static_cast<size_t>(BlobBytes(entry));
            std::memcpy(compact.Room(size, location), Address(entry), size);
            location |= entry & (kShaped | kNear);
        } else {
            bool edits = false;
            const QByteArrayView data = Data(entry, edits);
            location = compact.StoreData(data, edits);
        }
        compact.rows.push_back(MakeEntry(location | (entry & kMark)));
    }
    rows.swap(compact.rows);
    chunks.swap(compact.chunks);
    slotBases.swap(compact.slotBases);
    usedBytes = compact.usedBytes;
    garbageBytes = 0;
}

void clsRecords::Free::operator()(char* data) const
{
    std::free(data);
}

// Cell lookup, editing and row permutation of the compact record store.
#include "clsRecords.h"

#include "clsCodePage.h"
#include "clsPrefaulter.h"

#include <algorithm>
#include <cstring>

namespace {

// Bytes up to the first NUL: what a cell can hold.
QByteArrayView UpToNul(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return bytes;
    const void* nul = std::memchr(bytes.data(), 0, static_cast<size_t>(bytes.size()));
    return nul ? bytes.first(static_cast<const char*>(nul) - bytes.data()) : bytes;
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

void clsRecords::SetRowCount(int lnRows)
{
    const size_t count = static_cast<size_t>(std::max(lnRows, 0));
    for (size_t i = count; i < rows.size(); ++i)
        Discard(Value(rows[i]));
    rows.resize(count, MakeEntry(kNoBlob));
    CompactIfWasteful();
}

QByteArrayView clsRecords::Cell(int lnRow, int lnCol) const
{
    if (lnRow < 1 || lnRow > RowCount() || lnCol < 1)
        return {};
    const uint64_t entry = Get(lnRow);
    if (entry & kShaped) {
        const size_t col = static_cast<size_t>(lnCol - 1);
        if (col >= shapeWidths.size())
            return {};
        return QByteArrayView(Address(entry) + shapeStarts[col],
                              static_cast<qsizetype>(shapeWidths[col]));
    }
    if (entry & kNear) {
        CellCursor cursor = Cursor(entry);
        for (int col = 1; col < lnCol; ++col)
            cursor.Next();
        return cursor.Next();
    }
    std::string unused;
    const QByteArrayView cells = Cells(entry, unused);
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
    return Cursor(Get(lnRow));
}

clsRecords::CellCursor clsRecords::Cursor(uint64_t entry) const
{
    if (entry & kShaped)
        return CellCursor(Address(entry), shapeWidths.data(), shapeWidths.size());
    if (entry & kNear) {
        const auto* deltas = reinterpret_cast<const unsigned char*>(Address(entry));
        return CellCursor(Address(entry) + (shapeWidths.size() + 1) / 2, shapeWidths.data(),
                          shapeWidths.size(), deltas);
    }
    std::string unused;
    return CellCursor(Cells(entry, unused));
}

namespace {

// The signed four-bit difference of cell i from its width in the shape.
int Delta(const unsigned char* deltas, size_t i)
{
    const int nibble = (deltas[i / 2] >> (4 * (i % 2))) & 0xF;
    return nibble >= 8 ? nibble - 16 : nibble;
}

} // namespace

clsRecords::CellCursor::CellCursor(const char* pCells, const uint32_t* pWidths, size_t nCount,
                                   const unsigned char* pDeltas)
    : p(pCells), end(pCells), widths(pWidths), widthsEnd(pWidths + nCount), deltas(pDeltas)
{
    for (size_t i = 0; i < nCount; ++i)
        end += static_cast<int64_t>(pWidths[i]) + (pDeltas ? Delta(pDeltas, i) : 0);
}

QByteArrayView clsRecords::CellCursor::Next()
{
    if (widths) {
        if (widths == widthsEnd)
            return {};
        const int64_t width = static_cast<int64_t>(*widths++) + (deltas ? Delta(deltas, index) : 0);
        ++index;
        const QByteArrayView cell(p, static_cast<qsizetype>(width));
        p += width;
        return cell;
    }
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
    const uint64_t entry = Get(lnRow);
    std::string scratch;
    const QByteArrayView old = Cells(entry, scratch);
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
    Discard(entry);
    Put(lnRow, Store(QByteArrayView(edits.data(), static_cast<qsizetype>(edits.size())),
                     QByteArrayView(cells.data(), static_cast<qsizetype>(cells.size()))) |
                   (entry & kMark));
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
    const QByteArrayView edits = Edits(Get(lnRow));
    const qsizetype byte = (lnCol - 1) / 8;
    return byte < edits.size() && (edits[byte] & (1 << ((lnCol - 1) % 8))) != 0;
}

std::string clsRecords::RowImage(int lnRow) const
{
    const uint64_t entry = Get(lnRow);
    bool edits = false;
    std::string scratch;
    const QByteArrayView data =
        (entry & (kShaped | kNear)) ? Cells(entry, scratch) : Data(entry, edits);
    std::string image(1, static_cast<char>((edits ? 1 : 0) | ((entry & kMark) ? 2 : 0)));
    image.append(data.data(), static_cast<size_t>(data.size()));
    return image;
}

void clsRecords::SetRowImage(int lnRow, const std::string& image)
{
    const uint64_t old = Get(lnRow);
    Discard(old);
    const char flags = image.empty() ? 0 : image[0];
    const QByteArrayView data = image.empty() ? QByteArrayView() : QByteArrayView(image).sliced(1);
    uint64_t entry = kNoBlob;
    if (flags & 1)
        entry = StoreData(data, true);
    else if (!data.isEmpty()) {
        std::string cells;
        std::vector<uint32_t> lengths;
        for (const char* p = data.data(); p < data.end(); p += lengths.back() + 1) {
            lengths.push_back(
                static_cast<uint32_t>(strnlen(p, static_cast<size_t>(data.end() - p))));
            cells.append(p, lengths.back());
        }
        entry = StoreCells(cells.data(), lengths.data(), lengths.size());
    }
    Put(lnRow, entry | ((flags & 2) ? kMark : 0));
    CompactIfWasteful();
}

void clsRecords::InsertRowImages(int lnRow, const std::vector<std::string>& images)
{
    // Refused like InsertRows, so that the images are never put past the rows.
    if (lnRow < 1 || lnRow > RowCount() + 1)
        return;
    InsertRows(lnRow, static_cast<int>(images.size()));
    for (size_t i = 0; i < images.size(); ++i)
        SetRowImage(lnRow + static_cast<int>(i), images[i]);
}

void clsRecords::Reorder(const std::vector<int>& aOrder)
{
    if (aOrder.size() != rows.size())
        return;
    std::vector<Entry> reordered(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        reordered[i] = MakeEntry((Get(aOrder[i]) & ~kMark) | (Value(rows[i]) & kMark));
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
    pendingSize += nLength;
    if (pendingCells == pendingLengths.size())
        pendingLengths.push_back(static_cast<uint32_t>(nLength));
    else
        pendingLengths[pendingCells] = static_cast<uint32_t>(nLength);
    ++pendingCells;
}

void clsRecords::EndRow()
{
    if (!shapeSet && pendingCells > 0)
        SetShape(pendingLengths.data(), pendingCells);
    rows.push_back(MakeEntry(
        pendingCells == 0 ? kNoBlob
                          : StoreCells(pending.data(), pendingLengths.data(), pendingCells)));
    pendingSize = 0;
    pendingCells = 0;
}

void clsRecords::InsertRows(int lnRow, int lnCount)
{
    if (lnRow < 1 || lnRow > RowCount() + 1 || lnCount <= 0)
        return;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(Index(lnRow)),
                static_cast<size_t>(lnCount), MakeEntry(kNoBlob));
}

void clsRecords::RemoveRows(int lnRow, int lnCount)
{
    if (lnRow < 1 || lnCount <= 0 || lnRow + lnCount - 1 > RowCount())
        return;
    const auto first = rows.begin() + static_cast<std::ptrdiff_t>(Index(lnRow));
    const auto last = first + lnCount;
    for (auto it = first; it != last; ++it)
        Discard(Value(*it));
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
    const uint64_t entry = Get(lnRow);
    Put(lnRow, bMarked ? entry | kMark : entry & ~kMark);
}

void clsRecords::ClearMarks()
{
    for (Entry& entry : rows)
        entry.b[4] = static_cast<unsigned char>(entry.b[4] & ~(kMark >> 32));
}

// The records of a document held compactly as Shift-JIS bytes.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class clsPrefaulter;

// Rows of text cells stored as one byte blob per row in a chunked arena, addressed through
// one five-byte entry per row; rows and columns count from 1.
//
// A blob is a prefix (7-bit groups, low first) holding twice its data length, plus one when
// the row has edited cells, followed by the data: for such a row first the edit set (its byte
// count as one more prefix, then one bit per column from column 1 on), then the row's cells,
// each ended by a NUL. Cells never hold a NUL: Skiff hands every text over NUL-terminated, so
// a NUL cannot reach a cell from a file. A row that was never written has no blob at all.
// Rows as read carry no edit set, so the set costs nothing until somebody types.
// Most files repeat one shape: every line of a fixed-length file has the same cell widths.
// The first row read sets the shape, and each later unedited row of exactly those widths is
// kept as its bare cells, with neither prefix nor NULs, the shape giving where each cell is.
// A row of the shape's cell count whose widths each differ from the shape's by -8 to +7
// bytes (numbers and names of a delimited file) is kept as those differences, four bits a
// cell, followed by its bare cells.
// Editing a cell appends a new blob and leaves the old one as garbage until a compaction;
// inserting, deleting and moving rows only moves entries. An entry holds the row's change
// mark, its kind, and where its blob starts: the arena is cut into slots of 16 MiB, and a
// location is a slot number and the offset in that slot.
class clsRecords
{
public:
    clsRecords();
    ~clsRecords();
    clsRecords(clsRecords&&) noexcept;
    clsRecords& operator=(clsRecords&&) noexcept;
    clsRecords(const clsRecords&) = delete;
    clsRecords& operator=(const clsRecords&) = delete;

    int RowCount() const { return static_cast<int>(rows.size()); }
    // Rows past the count are added empty; rows beyond it are dropped.
    void SetRowCount(int lnRows);
    // Drops every row but keeps the first block of memory for the rows that follow, so that
    // records refilled again and again (batch conversion) fault in no new pages.
    void Clear();
    void Reserve(int lnRows) { rows.reserve(static_cast<size_t>(std::max(lnRows, 0))); }
    // For a reader about to add about nBytes of cells to empty records: one block of that
    // size whose pages a second thread faults in ahead of the rows. EndReserve, due when the
    // reader is done, waits for that thread and gives back what the rows did not use.
    void ReserveBytes(int64_t nBytes);
    void EndReserve();

    // The cell's bytes, valid until the records next change; empty outside the row's cells.
    QByteArrayView Cell(int lnRow, int lnCol) const;
    QString Text(int lnRow, int lnCol) const;
    // Replaces one cell (bytes up to the first NUL) and counts it as edited; a row with fewer
    // cells gains empty ones.
    void SetCell(int lnRow, int lnCol, QByteArrayView bytes);
    void SetText(int lnRow, int lnCol, const QString& szText);
    // A row's cells in order, for passing over a whole row once: Next gives the next cell
    // each time, empty past the last. Valid until the records next change.
    class CellCursor
    {
    public:
        explicit CellCursor(QByteArrayView cells) : p(cells.data()), end(p + cells.size()) {}
        // Cells laid out by their widths, one after another without separators; each width
        // corrected by a four-bit difference from pDeltas, when given.
        CellCursor(const char* pCells, const uint32_t* pWidths, size_t nCount,
                   const unsigned char* pDeltas = nullptr);
        QByteArrayView Next();
        // The bytes of the cells not yet given, with their NULs where the row keeps them.
        QByteArrayView Rest() const { return QByteArrayView(p, end - p); }

    private:
        const char* p;
        const char* end;
        const uint32_t* widths = nullptr;
        const uint32_t* widthsEnd = nullptr;
        const unsigned char* deltas = nullptr;
        size_t index = 0;
    };
    CellCursor RowCells(int lnRow) const;
    // Whether the cell was written by SetCell since its row was read.
    bool Edited(int lnRow, int lnCol) const;

    // A row's cells, edit set and mark as one value, to be put back with SetRowImage.
    std::string RowImage(int lnRow) const;
    void SetRowImage(int lnRow, const std::string& image);
    // Inserts rows holding the images at lnRow (which may be RowCount() + 1).
    void InsertRowImages(int lnRow, const std::vector<std::string>& images);
    // Puts the rows in the order given: row i takes the cells of row aOrder[i - 1] (1-based
    // row numbers, a permutation); the change marks stay at their positions.
    void Reorder(const std::vector<int>& aOrder);

    // Building a row at the end, as the readers do: cells in order, then EndRow (or DropRow
    // to forget the cells added since the last row).
    void AddCell(QByteArrayView bytes);
    void EndRow();
    void DropRow()
    {
        pendingSize = 0;
        pendingCells = 0;
    }
    // The same without a copy: room for a cell of up to nBytes - 1 bytes and its NUL at the
    // end of the row being built, valid until the next call; CommitCell then keeps the first
    // nLength bytes written there (which hold no NUL) as the next cell.
    char* CellSpace(size_t nBytes);
    void CommitCell(size_t nLength);

    // lnRow may be RowCount() + 1 to append.
    void InsertRows(int lnRow, int lnCount);
    void RemoveRows(int lnRow, int lnCount);
    // Moves lnCount rows from lnRow to stand before the row lnDest (numbered before the move).
    void MoveRows(int lnRow, int lnCount, int lnDest);

    bool Marked(int lnRow) const { return (Get(lnRow) & kMark) != 0; }
    void SetMarked(int lnRow, bool bMarked);
    void ClearMarks();

    // Bytes held by blobs still in use, and by all blobs written.
    int64_t LiveBytes() const { return usedBytes - garbageBytes; }
    int64_t UsedBytes() const { return usedBytes; }

private:
    static constexpr uint64_t kMark = uint64_t{1} << 39;
    static constexpr uint64_t kShaped = uint64_t{1} << 38;
    static constexpr uint64_t kNear = uint64_t{1} << 37;
    static constexpr uint64_t kNoBlob = kNear - 1;

    // Five bytes, low first: a million rows cost 5 MB of entries rather than 8.
    struct Entry
    {
        unsigned char b[5];
    };
    struct Free
    {
        void operator()(char* data) const;
    };
    struct Chunk
    {
        std::unique_ptr<char, Free> data;
        uint32_t size = 0;
        uint32_t used = 0;
        // The chunk's first slot; a chunk past a slot's size takes the following ones too.
        size_t slot = 0;
    };

    static size_t Index(int lnRow) { return static_cast<size_t>(lnRow - 1); }
    static uint64_t Value(const Entry& entry)
    {
        return uint64_t{entry.b[0]} | uint64_t{entry.b[1]} << 8 | uint64_t{entry.b[2]} << 16 |
               uint64_t{entry.b[3]} << 24 | uint64_t{entry.b[4]} << 32;
    }
    static Entry MakeEntry(uint64_t value)
    {
        return Entry{{static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                      static_cast<unsigned char>(value >> 16),
                      static_cast<unsigned char>(value >> 24),
                      static_cast<unsigned char>(value >> 32)}};
    }
    uint64_t Get(int lnRow) const { return Value(rows[Index(lnRow)]); }
    void Put(int lnRow, uint64_t value) { rows[Index(lnRow)] = MakeEntry(value); }
    const char* Address(uint64_t entry) const;
    // A blob's data (edit set and cells) and whether it holds an edit set; empty for kNoBlob
    // and for a row of or near the shape.
    QByteArrayView Data(uint64_t entry, bool& bEdits) const;
    // The cells of a blob (without prefix and edit set), NUL-ended, for any kind of row.
    QByteArrayView Cells(uint64_t entry, std::string& scratch) const;
    // The edit set of a blob: one bit per column; empty when nothing was edited.
    QByteArrayView Edits(uint64_t entry) const;
    CellCursor Cursor(uint64_t entry) const;
    // Stores edit set and cells as a new blob; the location of it (kNoBlob for nothing).
    uint64_t Store(QByteArrayView edits, QByteArrayView cells);
    uint64_t StoreData(QByteArrayView data, bool bEdits);
    // A row's cells as read, one after another with the lengths given: in the shape's layout
    // when they fit it or come near it, else NUL-ended.
    uint64_t StoreCells(const char* pCells, const uint32_t* pLengths, size_t nCount);
    // Room for nBytes in the arena: where it is and the entry's location for it.
    char* Room(size_t nBytes, uint64_t& location);
    void AddChunk(size_t nBytes);
    // Learns the shape from a row's NUL-ended cells.
    void SetShape(const uint32_t* pLengths, size_t nCount);
    int64_t BlobBytes(uint64_t entry) const;
    void Discard(uint64_t entry);
    void CompactIfWasteful();

    // First, so that assigning other records stops the thread before the chunks go.
    std::unique_ptr<clsPrefaulter> prefaulter;
    std::vector<Entry> rows;
    std::vector<Chunk> chunks;
    std::vector<char*> slotBases;
    // The shape: each cell's width and where it starts; shapeBytes is the widths' sum.
    std::vector<uint32_t> shapeWidths;
    std::vector<uint32_t> shapeStarts;
    size_t shapeBytes = 0;
    bool shapeSet = false;
    // The row being built: its cells fill the first pendingSize bytes one after another, each
    // as long as pendingLengths says; the rest is room kept between rows, so that no row
    // allocates.
    std::vector<char> pending;
    size_t pendingSize = 0;
    size_t pendingCells = 0;
    std::vector<uint32_t> pendingLengths;
    int64_t usedBytes = 0;
    int64_t garbageBytes = 0;
};

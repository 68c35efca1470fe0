// XCsv: the open text data file, its line table and the column scan over its lines.
#pragma once

#include "CsvScan.h"
#include "LargeBuffer.h"
#include "XString.h"

#include <memory>

// One entry of the line table: where a line lies in the content and how many columns it has.
struct XCsvLine
{
    int lnStart;
    int lnLength;
    int lnColCount;
};

// Where a column's raw bytes lie in the content.
struct XCsvColumn
{
    const char* szText;
    int lnLength;
};

// The whole of one text file in Shift-JIS, split into lines, answering line and column queries.
class XCsv
{
public:
    // Raised as exceptions; the exports turn them into their failure values.
    enum ECsvError {
        ecsvNoMemory = 100,
        ecsvBadRow = 102,
    };

    XCsv(char chDelimiterByte, char chQuoteByte);

    // Reads and converts the file and builds the line table; false when the file cannot be
    // opened or is too large for 32-bit positions, with the cause in Status(). A failure
    // leaves no lines. NUL bytes of a JIS, EUC-JP or UTF-8 file become geta marks here; those
    // of a Shift-JIS file stay in the content, and the line and column queries mend them.
    bool Load(const char* szFile, int lnCharSet, bool bCareQuote);
    // Contents of at least this many bytes are converted and have their line table built in
    // two halves on two threads; tests lower it to take small texts that way. Returns the
    // size it replaces.
    static int SetHalvesSize(int lnBytes);
    // Why the last Load failed, a SkiffStatus.
    int Status() const { return lnStatus; }

    int RowCount() const { return lnLineCount; }
    int LineCapacity() const { return lnLineCapacity; }
    // The line's entry; a row outside 1 ... RowCount() raises ecsvBadRow.
    const XCsvLine& Line(int lnRow) const
    {
        if (lnRow < 1 || lnRow > lnLineCount) {
            throw ecsvBadRow;
        }
        return lines[lnRow - 1];
    }
    const char* LineText(const XCsvLine& line) const { return content.Text() + line.lnStart; }
    // False when no line holds a NUL byte, so that no text needs cutting at one.
    bool HasNul() const { return bHasNul; }
    // The file's line end: 1 CR LF, 2 CR, 3 LF, 0 another.
    int LineEndCode() const;

    // Raw bytes of a column, quotes and all; past the last column an empty range at the line's
    // end. A column below 1 raises XString::estrOutOfRange.
    XCsvColumn Column(int lnRow, int lnCol);

private:
    // Where the column search of the last asked row stands, so that asking a row's columns in
    // order passes over its line once; any other order restarts from the line's start. The
    // delimiters come 64 at a time, from the bitmap or from classifying the line's bytes.
    struct Cursor
    {
        int lnRow = 0;
        int lnCol = 0;
        int lnStart = 0;           // where column lnCol starts in the line
        int lnEnd = -1;            // where it ends, -1 until found
        std::uint64_t pending = 0; // delimiters not yet passed, bit 0 at lnPendingBase
        int lnPendingBase = 0;
        int lnNextBlock = 0; // line offset of the next 64 delimiter bits to take
        XCsvScan scan;
    };

    void BuildLines(const unsigned char* text, int lnSize, bool bCareQuote);
    // Walks the two halves of a large content side by side; false, with no lines, when the
    // halves do not meet at a line start.
    bool BuildHalves(const unsigned char* text, int lnSize, int lnHalf, bool bCareQuote,
                     std::uint64_t* pBits);
    // Appends a line ended at lnEnd and takes the file's line end from the first one.
    void AppendLineFound(const unsigned char* text, int lnSize, int lnStart, int lnLength,
                         int lnColumns, int lnEnd);
    void AppendLine(int lnStart, int lnLength, int lnColumns);
    // Makes room for lnCount lines, where there is memory for them: a guess, not a need.
    void ReserveLines(int lnCount) noexcept;
    // Moves the table into room for lnCapacity lines; false, changing nothing, without memory.
    bool MoveLines(int lnCapacity) noexcept;
    void Discard() noexcept;
    void RestartCursor(int lnRow) noexcept;
    // Offset of the next delimiter outside quotes in the cursor's line, or the line's length.
    int NextColumnEnd(const XCsvLine& line);

    using Bits = std::unique_ptr<std::uint64_t[], skiff::BytesDeleter>;

    std::unique_ptr<XCsvLine[], skiff::BytesDeleter> lines;
    XString content;
    int lnLineCount = 0;
    int lnLineCapacity = 0;
    char chQuote;
    char chDelimiter;
    XString lineEnd;
    bool bHasNul = false;
    int lnStatus = 0;
    // Opened quote-aware, every line starts outside quotes, so the delimiters found while
    // building the line table are those of each line: one bit per content byte keeps them.
    Bits delimiterBits;
    Cursor cursor;
};

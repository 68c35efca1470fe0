// XCsv: reading a text file whole, its line table and the column scan over its lines.
#include "XCsv.h"

#include "CharSetConv.h"
#include "FieldText.h"
#include "InPlaceConv.h"
#include "SkiffFile.h"
#include "skiff.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr char kCrLf[] = "\r\n";

// Texts of this many bytes are converted and walked in two halves on two threads.
int gHalvesSize = 16 << 20;

// Line-table steps: few reallocations for large files. Past the last step the table doubles,
// so that a file of many millions of lines is not copied once per line.
int GrownLineCapacity(int lnNeeded)
{
    for (int step : {1000, 10000, 100000, 1000000}) {
        if (lnNeeded <= step) {
            return step;
        }
    }
    return lnNeeded > INT_MAX / 2 ? INT_MAX : lnNeeded * 2;
}

} // namespace

XCsv::XCsv(char chDelimiterByte, char chQuoteByte)
    : chQuote(chQuoteByte), chDelimiter(chDelimiterByte),
      lineEnd(kCrLf), cursor{0, 0, 0, -1, 0, 0, 0, XCsvScan(chDelimiterByte, chQuoteByte, true)}
{}

bool XCsv::Load(const char* szFile, int lnCharSet, bool bCareQuote)
{
    Discard();
    lnStatus = SKIFF_STATUS_OK;
    const skiff::ConvPair toSjis = skiff::ToSjis(lnCharSet);
    if (lnCharSet != 1 && !toSjis) {
        lnStatus = SKIFF_STATUS_BAD_CHARSET;
        return false;
    }
    const long long size = skiff::AddressableFileSize(szFile, &lnStatus);
    if (size < 0) {
        return false;
    }
    std::FILE* file = skiff::OpenFile(szFile, "rb", &lnStatus);
    if (file == nullptr) {
        return false;
    }
    // One read into one buffer; the lines are offsets into it.
    XString text;
    try {
        text.Reserve(static_cast<int>(size) + 1);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    const long long got = skiff::ReadWhole(file, text.Data(), static_cast<std::size_t>(size));
    std::fclose(file);
    if (got < 0) {
        lnStatus = SKIFF_STATUS_IO_ERROR;
        return false;
    }
    text.SetLength(static_cast<int>(got));

    if (lnCharSet != 1) {
        // The converters end at a NUL: one in the file would lose everything after it.
        skiff::MarkNuls(text.Data(), text.Length());
        // A UTF-8 byte-order mark has no Shift-JIS code; it is not part of the first line.
        const int start =
            lnCharSet == 4 && std::strncmp(text.Text(), "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
        skiff::ConvertFileToSjis(lnCharSet, text, start, text.Length() - start >= gHalvesSize);
    }
    try {
        BuildLines(reinterpret_cast<const unsigned char*>(text.Text()), text.Length(), bCareQuote);
    } catch (...) {
        Discard();
        throw;
    }
    content = std::move(text);
    return true;
}

void XCsv::Discard() noexcept
{
    lines.reset();
    lnLineCount = 0;
    lnLineCapacity = 0;
    bHasNul = false;
    delimiterBits.reset();
    RestartCursor(0);
    // Room for CR LF was reserved on construction, so this allocates nothing.
    lineEnd.SetText(kCrLf);
}

namespace {

// Where a scan over part of the content stands: the line being walked and its columns so far.
struct RangeEnd
{
    int lnStart;
    int lnColumns;
    bool bNuls;
};

// Walks text[lnFrom, lnTo) from a line start in blocks of 64 bytes counted from lnFrom: calls
// line(start, length, columns, end) for each line ended inside and bits(base, delimiters) for
// each block. Bytes past lnTo are looked at only to pair a CR with its LF.
template <typename Line, typename Bits>
RangeEnd ScanRange(const unsigned char* text, int lnSize, int lnFrom, int lnTo, XCsvScan& scan,
                   Line line, Bits bits)
{
    RangeEnd state{lnFrom, 1, false};
    int crLfEnd = -1; // the LF of a CR LF that ended the previous line
    // The step is written so that it never passes INT_MAX, however close the size comes.
    for (int base = lnFrom; base<lnTo; base = lnTo - base> 64 ? base + 64 : lnTo) {
        const XCsvScan::Block block = scan.Next(text + base, std::min(64, lnTo - base));
        bits(base, block.delimiters);
        std::uint64_t lineDelimiters = block.delimiters;
        state.bNuls = state.bNuls || block.nuls != 0;
        for (std::uint64_t ends = block.lineEnds; ends != 0; ends &= ends - 1) {
            const int bit = __builtin_ctzll(ends);
            const int end = base + bit;
            const std::uint64_t upToEnd =
                bit == 63 ? ~std::uint64_t(0) : (std::uint64_t(2) << bit) - 1;
            // Every CR or LF ends a line of its own, so empty lines stay empty lines; only the
            // LF of a CR LF belongs to the line end before it.
            if (end != crLfEnd) {
                state.lnColumns += XCsvScan::CountBits(lineDelimiters & upToEnd);
                line(state.lnStart, end - state.lnStart, state.lnColumns, end);
                const bool crLf = text[end] == '\r' && end + 1 < lnSize && text[end + 1] == '\n';
                crLfEnd = crLf ? end + 1 : -1;
            }
            lineDelimiters &= ~upToEnd;
            state.lnStart = end + 1;
            state.lnColumns = 1;
        }
        state.lnColumns += XCsvScan::CountBits(lineDelimiters);
    }
    return state;
}

// Where the second half of a large content starts: just after the first line end from the
// middle on (a CR LF kept whole), or 0 when there is none.
int HalfwayLineStart(const unsigned char* text, int lnSize)
{
    for (int i = lnSize / 2; i < lnSize; ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            const int next =
                text[i] == '\r' && i + 1 < lnSize && text[i + 1] == '\n' ? i + 2 : i + 1;
            return next < lnSize ? next : 0;
        }
    }
    return 0;
}

// About as many lines as [lnFrom, lnTo) holds, judged by the line ends in its first 64 KiB,
// with a tenth to spare: a table grown line by line would be copied and faulted in again at
// each step. At most one line per 16 bytes, since the guess may come from a few short lines.
int EstimatedLines(const unsigned char* text, int lnFrom, int lnTo)
{
    const int sample = std::min(lnTo - lnFrom, 64 << 10);
    const unsigned char* const end = text + lnFrom + sample;
    long long ends = 0;
    for (const unsigned char lineEnd : {'\n', '\r'}) {
        for (const unsigned char* p = text + lnFrom;
             (p = static_cast<const unsigned char*>(
                  std::memchr(p, lineEnd, static_cast<std::size_t>(end - p)))) != nullptr;
             ++p) {
            ++ends;
        }
        // CR LF counts once; only a file of CR alone is counted by its CRs.
        if (ends > 0) {
            break;
        }
    }
    if (sample == 0 || ends == 0) {
        return 0;
    }
    const long long estimate = static_cast<long long>(lnTo - lnFrom) * ends / sample;
    return static_cast<int>(
        std::min<long long>(estimate + estimate / 10 + 16, (lnTo - lnFrom) / 16 + 16));
}

} // namespace

int XCsv::SetHalvesSize(int lnBytes)
{
    const int previous = gHalvesSize;
    gHalvesSize = lnBytes;
    return previous;
}

void XCsv::BuildLines(const unsigned char* text, int lnSize, bool bCareQuote)
{
    Bits delimiters;
    if (bCareQuote && lnSize > 0) {
        const std::size_t words = (static_cast<std::size_t>(lnSize) + 63) / 64;
        delimiters.reset(
            static_cast<std::uint64_t*>(skiff::AllocateBytes(words * sizeof(std::uint64_t))));
        if (!delimiters) {
            throw ecsvNoMemory;
        }
    }
    const int expectedLines = EstimatedLines(text, 0, lnSize);
    ReserveLines(expectedLines);
    const int half = lnSize >= gHalvesSize ? HalfwayLineStart(text, lnSize) : 0;
    if (half == 0 || !BuildHalves(text, lnSize, half, bCareQuote, delimiters.get())) {
        // Halves that gave up have dropped their table.
        ReserveLines(expectedLines);
        std::uint64_t* bits = delimiters.get();
        XCsvScan scan(chDelimiter, chQuote, bCareQuote);
        const RangeEnd last = ScanRange(
            text, lnSize, 0, lnSize, scan,
            [&](int start, int length, int columns, int end) {
                AppendLineFound(text, lnSize, start, length, bCareQuote ? columns : 0, end);
            },
            [bits](int base, std::uint64_t found) {
                if (bits != nullptr) {
                    bits[static_cast<std::size_t>(base / 64)] = found;
                }
            });
        bHasNul = last.bNuls;
        // A last line without a line end; a file that ends with one has no further line.
        if (last.lnStart < lnSize) {
            AppendLine(last.lnStart, lnSize - last.lnStart, bCareQuote ? last.lnColumns : 0);
        }
    }
    delimiterBits = std::move(delimiters);
}

void XCsv::AppendLineFound(const unsigned char* text, int lnSize, int lnStart, int lnLength,
                           int lnColumns, int lnEnd)
{
    AppendLine(lnStart, lnLength, lnColumns);
    if (lnLineCount == 1) {
        const bool crLf = text[lnEnd] == '\r' && lnEnd + 1 < lnSize && text[lnEnd + 1] == '\n';
        lineEnd.SetText(crLf ? "\r\n" : text[lnEnd] == '\r' ? "\r" : "\n");
    }
}

// The second half is walked on another thread as if a line started there, which holds when
// the first half's walk ends with a line end just before it (outside quotes, that is); a
// quoted line end there makes the halves wrong, and the whole is walked again on one thread.
// Each half writes only its own words of the delimiter bits; the word both share is merged
// after the join.
bool XCsv::BuildHalves(const unsigned char* text, int lnSize, int lnHalf, bool bCareQuote,
                       std::uint64_t* pBits)
{
    const std::size_t words = (static_cast<std::size_t>(lnSize) + 63) / 64;
    const int shift = lnHalf % 64;
    std::uint64_t sharedWord = 0;
    std::vector<XCsvLine> secondLines;
    RangeEnd second{};
    std::exception_ptr failure;
    auto walkSecond = [&] {
        try {
            try {
                secondLines.reserve(static_cast<std::size_t>(EstimatedLines(text, lnHalf, lnSize)));
            } catch (const std::bad_alloc&) {
                // Only a guess: the lines are added one by one all the same.
            }
            XCsvScan scan(chDelimiter, chQuote, bCareQuote);
            second = ScanRange(
                text, lnSize, lnHalf, lnSize, scan,
                [&](int start, int length, int columns, int) {
                    secondLines.push_back(XCsvLine{start, length, bCareQuote ? columns : 0});
                },
                [&](int base, std::uint64_t found) {
                    if (pBits == nullptr) {
                        return;
                    }
                    const std::size_t word = static_cast<std::size_t>(base / 64);
                    if (shift == 0) {
                        pBits[word] = found;
                        return;
                    }
                    // Blocks start at lnHalf: each spans two words of the bits.
                    const std::uint64_t low = found << shift;
                    if (base == lnHalf) {
                        sharedWord = low;
                    } else {
                        pBits[word] |= low;
                    }
                    if (word + 1 < words) {
                        pBits[word + 1] = found >> (64 - shift);
                    }
                });
        } catch (...) {
            failure = std::current_exception();
        }
    };
    std::thread worker;
    try {
        worker = std::thread(walkSecond);
    } catch (const std::system_error&) {
        return false;
    }
    RangeEnd first{};
    try {
        XCsvScan scan(chDelimiter, chQuote, bCareQuote);
        first = ScanRange(
            text, lnSize, 0, lnHalf, scan,
            [&](int start, int length, int columns, int end) {
                AppendLineFound(text, lnSize, start, length, bCareQuote ? columns : 0, end);
            },
            [pBits](int base, std::uint64_t found) {
                if (pBits != nullptr) {
                    pBits[static_cast<std::size_t>(base / 64)] = found;
                }
            });
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
    if (first.lnStart != lnHalf) {
        // Started again from nothing, so that the table grows as it would have on one thread.
        lines.reset();
        lnLineCount = 0;
        lnLineCapacity = 0;
        lineEnd.SetText(kCrLf);
        return false;
    }
    if (pBits != nullptr && shift != 0) {
        pBits[static_cast<std::size_t>(lnHalf / 64)] |= sharedWord;
    }
    for (const XCsvLine& line : secondLines) {
        AppendLine(line.lnStart, line.lnLength, line.lnColCount);
    }
    bHasNul = first.bNuls || second.bNuls;
    if (second.lnStart < lnSize) {
        AppendLine(second.lnStart, lnSize - second.lnStart, bCareQuote ? second.lnColumns : 0);
    }
    return true;
}

void XCsv::ReserveLines(int lnCount) noexcept
{
    if (lnCount > lnLineCapacity) {
        MoveLines(lnCount);
    }
}

void XCsv::AppendLine(int lnStart, int lnLength, int lnColumns)
{
    if (lnLineCount == lnLineCapacity &&
        (lnLineCount == INT_MAX || !MoveLines(GrownLineCapacity(lnLineCount + 1)))) {
        throw ecsvNoMemory;
    }
    lines[lnLineCount++] = XCsvLine{lnStart, lnLength, lnColumns};
}

bool XCsv::MoveLines(int lnCapacity) noexcept
{
    std::unique_ptr<XCsvLine[], skiff::BytesDeleter> moved(static_cast<XCsvLine*>(
        skiff::AllocateBytes(static_cast<std::size_t>(lnCapacity) * sizeof(XCsvLine))));
    if (!moved) {
        return false;
    }
    if (lnLineCount > 0) {
        std::memcpy(moved.get(), lines.get(),
                    static_cast<std::size_t>(lnLineCount) * sizeof(XCsvLine));
    }
    lines = std::move(moved);
    lnLineCapacity = lnCapacity;
    return true;
}

int XCsv::LineEndCode() const
{
    if (lineEnd.Equals("\r\n")) {
        return 1;
    }
    if (lineEnd.Equals("\r")) {
        return 2;
    }
    return lineEnd.Equals("\n") ? 3 : 0;
}

XCsvColumn XCsv::Column(int lnRow, int lnCol)
{
    if (lnCol < 1) {
        throw XString::estrOutOfRange;
    }
    const XCsvLine& line = Line(lnRow);
    const char* text = LineText(line);
    if (cursor.lnRow != lnRow || cursor.lnCol > lnCol) {
        RestartCursor(lnRow);
    }
    for (;;) {
        if (cursor.lnEnd < 0) {
            cursor.lnEnd = NextColumnEnd(line);
        }
        if (cursor.lnCol == lnCol) {
            return XCsvColumn{text + cursor.lnStart, cursor.lnEnd - cursor.lnStart};
        }
        if (cursor.lnEnd >= line.lnLength) {
            // Past the last column.
            return XCsvColumn{text + line.lnLength, 0};
        }
        ++cursor.lnCol;
        cursor.lnStart = cursor.lnEnd + 1;
        cursor.lnEnd = -1;
    }
}

void XCsv::RestartCursor(int lnRow) noexcept
{
    cursor.lnRow = lnRow;
    cursor.lnCol = 1;
    cursor.lnStart = 0;
    cursor.lnEnd = -1;
    cursor.lnNextBlock = 0;
    cursor.pending = 0;
    cursor.scan.Restart();
    if (delimiterBits && lnRow > 0) {
        // The bitmap's words are aligned in the content: the line starts inside one of them.
        const int start = lines[lnRow - 1].lnStart;
        cursor.pending = delimiterBits[static_cast<std::size_t>(start / 64)] &
                         (~std::uint64_t(0) << (start % 64));
        cursor.lnPendingBase = -(start % 64);
        cursor.lnNextBlock = cursor.lnPendingBase + 64;
    }
}

int XCsv::NextColumnEnd(const XCsvLine& line)
{
    while (cursor.pending == 0) {
        const int base = cursor.lnNextBlock;
        if (base >= line.lnLength) {
            return line.lnLength;
        }
        if (delimiterBits) {
            cursor.pending = delimiterBits[static_cast<std::size_t>((line.lnStart + base) / 64)];
        } else {
            const auto* bytes = reinterpret_cast<const unsigned char*>(LineText(line));
            cursor.pending =
                cursor.scan.Next(bytes + base, std::min(64, line.lnLength - base)).delimiters;
        }
        cursor.lnPendingBase = base;
        cursor.lnNextBlock = line.lnLength - base > 64 ? base + 64 : line.lnLength;
    }
    const int end = cursor.lnPendingBase + __builtin_ctzll(cursor.pending);
    cursor.pending &= cursor.pending - 1;
    // The last word of the bitmap may hold delimiters of the lines that follow.
    return std::min(end, line.lnLength);
}

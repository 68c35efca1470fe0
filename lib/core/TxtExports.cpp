// The text reader's exports: opening a text file and the line, range and column queries.
#include "CharSetConv.h"
#include "ConvErrors.h"
#include "SkiffState.h"
#include "skiff.h"

#include <algorithm>
#include <cstring>

using skiff::Guard;
using skiff::OpenCsv;
using skiff::State;

namespace {

// Bytes before the first NUL among the first lnLength.
int TextLength(const char* szText, int lnLength)
{
    const void* nul = std::memchr(szText, '\0', static_cast<std::size_t>(lnLength));
    return nul != nullptr ? static_cast<int>(static_cast<const char*>(nul) - szText) : lnLength;
}

// Bytes of the line inside [lnStart, lnStart + lnCount): fewer where the line ends first.
int BytesInLine(const XCsvLine& line, int lnStart, int lnCount)
{
    return lnStart >= line.lnLength ? 0 : std::min(lnCount, line.lnLength - lnStart);
}

// Copies lnCount bytes from the line's lnStart and a terminator; never past the line.
int CopyLineRange(int lnRow, char* szBuffer, int lnStart, int lnCount)
{
    if (szBuffer == nullptr || lnStart < 0 || lnCount < 0) {
        return -1;
    }
    const XCsv& csv = OpenCsv();
    const XCsvLine& line = csv.Line(lnRow);
    const int count = BytesInLine(line, lnStart, lnCount);
    if (count > 0) {
        std::memcpy(szBuffer, csv.LineText(line) + lnStart, static_cast<std::size_t>(count));
    }
    szBuffer[count] = '\0';
    return 0;
}

} // namespace

extern "C" {

int ReadTxtIni(const char* szFile, const char* szDelimiter, const char* szQuote, int lnCharSet,
               int lnCareQuote)
{
    return Guard(-1, [&] {
        if (szFile == nullptr || szDelimiter == nullptr || szQuote == nullptr || lnCharSet < 1 ||
            lnCharSet > 4) {
            return -1;
        }
        skiff::ResetConvErrCnt();
        auto& csv = State().csv;
        csv.reset();
        csv = std::make_unique<XCsv>(szDelimiter[0], szQuote[0]);
        return csv->Load(szFile, lnCharSet, lnCareQuote != 0) ? 0 : -1;
    });
}

void Terminate(void)
{
    Guard(0, [] {
        State().stream.Close();
        State().csv.reset();
        return 0;
    });
}

int WriteTxtIni(const char*)
{
    return 0;
}

int GetTxtRowCnt(void)
{
    return Guard(0, [] { return OpenCsv().RowCount(); });
}

int GetTxtLine(int lnRow, char* szBuffer, int lnBufferSize)
{
    return Guard(-1, [&] {
        const XCsv& csv = OpenCsv();
        const XCsvLine& line = csv.Line(lnRow);
        if (szBuffer == nullptr || lnBufferSize <= line.lnLength) {
            return -1;
        }
        // The caller's text ends at the first NUL, so that is where the copy ends too.
        const char* text = csv.LineText(line);
        const void* nul = std::memchr(text, '\0', static_cast<std::size_t>(line.lnLength));
        const std::size_t count =
            nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                           : static_cast<std::size_t>(line.lnLength);
        std::memcpy(szBuffer, text, count);
        szBuffer[count] = '\0';
        return 0;
    });
}

int GetTxtLineLen(int lnRow)
{
    return Guard(-1, [&] { return OpenCsv().Line(lnRow).lnLength; });
}

int GetTxtLineLoc(int lnRow, char* szBuffer, int lnStart, int lnCount)
{
    return Guard(-1, [&] { return CopyLineRange(lnRow, szBuffer, lnStart, lnCount); });
}

int GetTxtLineLocConv(int lnRow, char* szBuffer, int lnStart, int lnCount, int lnBufferSize,
                      int lnCharSet)
{
    return Guard(-1, [&] {
        if (szBuffer == nullptr || lnStart < 0 || lnCount < -1 || lnBufferSize < 1) {
            return -1;
        }
        const XCsv& csv = OpenCsv();
        const XCsvLine& line = csv.Line(lnRow);
        // -1 asks for the rest of the line.
        const int count = BytesInLine(line, lnStart, lnCount == -1 ? line.lnLength : lnCount);
        if (lnCharSet == 1) {
            return count < lnBufferSize ? CopyLineRange(lnRow, szBuffer, lnStart, count) : -1;
        }
        const skiff::ConvPair toSjis = skiff::ToSjis(lnCharSet);
        if (!toSjis) {
            return -1;
        }
        XString& field = State().field;
        field.SetRange(count > 0 ? csv.LineText(line) + lnStart : "", 0, count);
        const int size = toSjis.fnLength(field.Text());
        if (size < 1 || size > lnBufferSize) {
            return -1;
        }
        toSjis.fnConvert(field.Text(), szBuffer);
        return 0;
    });
}

int GetTxtColCnt(int lnRow)
{
    return Guard(0, [&] { return OpenCsv().Line(lnRow).lnColCount; });
}

int GetTxtColLen(int lnRow, int lnCol)
{
    return Guard(-1, [&] { return OpenCsv().Column(lnRow, lnCol).lnLength; });
}

int GetTxtCol(char* szBuffer, int lnBufferSize, int lnRow, int lnCol, int lnUnescape,
              int lnStripQuotes)
{
    return Guard(-1, [&] {
        XCsv& csv = OpenCsv();
        const XCsvColumn column = csv.Column(lnRow, lnCol);
        // The column's text ends at a NUL, and the enclosing quotes are those of that text.
        const char* text = column.szText;
        int length = csv.HasNul() ? TextLength(text, column.lnLength) : column.lnLength;
        // The caller passes its own true value (-1 or 1): only the low byte counts.
        if ((lnStripQuotes & 0xFF) != 0) {
            skiff::StripQuotes(text, length, XString::kDoubleQuote);
        }
        // Undoubling changes only a text that still holds a quote; any other goes out as it is.
        const bool bUnescape = (lnUnescape & 0xFF) != 0;
        if (!bUnescape ||
            std::memchr(text, XString::kDoubleQuote, static_cast<std::size_t>(length)) == nullptr) {
            if (szBuffer == nullptr || lnBufferSize <= length) {
                return -1;
            }
            std::memcpy(szBuffer, text, static_cast<std::size_t>(length));
            szBuffer[length] = '\0';
            return 0;
        }
        XString& result = State().result;
        result.SetBytes(text, length);
        result.Unescape();
        return skiff::CopyOut(result, szBuffer, lnBufferSize);
    });
}

int GetTxtCrLf(void)
{
    // Without a file the line end is none of the three.
    return Guard(0, [] { return OpenCsv().LineEndCode(); });
}

} // extern "C"

// The text reader's exports: opening a text file and the line, range and column queries.
#include "CharSetConv.h"
#include "ConvErrors.h"
#include "FieldText.h"
#include "SkiffState.h"
#include "skiff.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

using skiff::Guard;
using skiff::OpenCsv;
using skiff::State;

namespace {

// A size the interface can report; larger ones cannot be held by a caller's buffer anyway.
int ReportedSize(long long size)
{
    return size >= INT_MAX ? INT_MAX - 1 : static_cast<int>(size);
}

// Copies a line's or field's text into the caller's buffer with its malformed bytes mended,
// or -1 with the buffer untouched when the mended text and its terminator do not fit.
int CopyOutMended(const char* szText, int lnLength, bool bNuls, char* szBuffer, int lnBufferSize)
{
    if (szBuffer == nullptr) {
        return -1;
    }
    if (!bNuls) {
        // Without NUL bytes the only mending is a lone lead byte at the end: one pass to find
        // it and one copy, for the millions of fields a large file hands out.
        const bool bLone = skiff::EndsInLoneLead(szText, lnLength);
        if (lnBufferSize <= lnLength + (bLone ? 1 : 0)) {
            return -1;
        }
        const int body = bLone ? lnLength - 1 : lnLength;
        std::memcpy(szBuffer, szText, static_cast<std::size_t>(body));
        if (bLone) {
            szBuffer[body] = skiff::kGeta[0];
            szBuffer[body + 1] = skiff::kGeta[1];
            skiff::AddConvErrs(1);
        }
        szBuffer[body + (bLone ? 2 : 0)] = '\0';
        return 0;
    }
    if (lnBufferSize <= skiff::MendedLength(szText, lnLength, bNuls)) {
        return -1;
    }
    skiff::AddConvErrs(skiff::CopyMended(szText, lnLength, bNuls, szBuffer));
    return 0;
}

// The SkiffStatus of an error raised while a file was opened.
int StatusOfFailure() noexcept
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return SKIFF_STATUS_NO_MEMORY;
    } catch (XString::EStringError error) {
        // A position past 32 bits: the converted content would not fit.
        return error == XString::estrNoMemory ? SKIFF_STATUS_NO_MEMORY : SKIFF_STATUS_TOO_LARGE;
    } catch (XCsv::ECsvError) {
        return SKIFF_STATUS_NO_MEMORY;
    } catch (...) {
        return SKIFF_STATUS_IO_ERROR;
    }
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
        int& status = State().lnStatus;
        if (szFile == nullptr || szDelimiter == nullptr || szQuote == nullptr) {
            status = SKIFF_STATUS_BAD_ARGUMENT;
            return -1;
        }
        if (lnCharSet < 1 || lnCharSet > 4) {
            status = SKIFF_STATUS_BAD_CHARSET;
            return -1;
        }
        skiff::ResetConvErrCnt();
        status = SKIFF_STATUS_OK;
        auto& csv = State().csv;
        try {
            csv.reset();
            csv = std::make_unique<XCsv>(szDelimiter[0], szQuote[0]);
            const bool bLoaded = csv->Load(szFile, lnCharSet, lnCareQuote != 0);
            status = csv->Status();
            return bLoaded ? 0 : -1;
        } catch (...) {
            status = StatusOfFailure();
            return -1;
        }
    });
}

int GetLastStatus(void)
{
    return State().lnStatus;
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
        return CopyOutMended(csv.LineText(line), line.lnLength, csv.HasNul(), szBuffer,
                             lnBufferSize);
    });
}

int GetTxtLineLen(int lnRow)
{
    return Guard(-1, [&] {
        const XCsv& csv = OpenCsv();
        const XCsvLine& line = csv.Line(lnRow);
        return ReportedSize(skiff::MendedLength(csv.LineText(line), line.lnLength, csv.HasNul()));
    });
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
        const char* text = count > 0 ? csv.LineText(line) + lnStart : "";
        if (lnCharSet == 1) {
            return CopyOutMended(text, count, csv.HasNul(), szBuffer, lnBufferSize);
        }
        const skiff::ConvPair toSjis = skiff::ToSjis(lnCharSet);
        if (!toSjis) {
            return -1;
        }
        XString& field = State().field;
        field.SetBytes(text, count);
        if (csv.HasNul()) {
            skiff::MarkNuls(field.Data(), count);
        }
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
    return Guard(-1, [&] {
        XCsv& csv = OpenCsv();
        const XCsvColumn column = csv.Column(lnRow, lnCol);
        // Stripping and unescaping only shorten the text; the mended bytes may lengthen it.
        return ReportedSize(skiff::MendedLength(column.szText, column.lnLength, csv.HasNul()));
    });
}

int GetTxtCol(char* szBuffer, int lnBufferSize, int lnRow, int lnCol, int lnUnescape,
              int lnStripQuotes)
{
    return Guard(-1, [&] {
        XCsv& csv = OpenCsv();
        const XCsvColumn column = csv.Column(lnRow, lnCol);
        const char* text = column.szText;
        int length = column.lnLength;
        // The caller passes its own true value (-1 or 1): only the low byte counts.
        if ((lnStripQuotes & 0xFF) != 0) {
            skiff::StripQuotes(text, length, XString::kDoubleQuote);
        }
        // Undoubling changes only a text that still holds a quote; any other goes out as it is.
        const bool bUnescape = (lnUnescape & 0xFF) != 0;
        if (!bUnescape ||
            std::memchr(text, XString::kDoubleQuote, static_cast<std::size_t>(length)) == nullptr) {
            return CopyOutMended(text, length, csv.HasNul(), szBuffer, lnBufferSize);
        }
        XString& result = State().result;
        result.SetBytes(text, length);
        result.Unescape();
        return CopyOutMended(result.Text(), result.Length(), csv.HasNul(), szBuffer, lnBufferSize);
    });
}

int GetTxtCrLf(void)
{
    // Without a file the line end is none of the three.
    return Guard(0, [] { return OpenCsv().LineEndCode(); });
}

} // extern "C"

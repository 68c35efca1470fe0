// The byte-stream exports: binary records field by field, and converting output of text.
#include "CharSetConv.h"
#include "ConvErrors.h"
#include "SkiffState.h"
#include "skiff.h"

#include <algorithm>
#include <climits>
#include <cstring>

using skiff::Guard;
using skiff::State;

namespace {

int ReadBytes(void* pBuffer, int lnCount)
{
    return Guard(-1, [&] { return State().stream.Read(pBuffer, lnCount) ? 0 : -1; });
}

int WriteBytes(const void* pBuffer, int lnCount)
{
    return Guard(-1, [&] { return State().stream.Write(pBuffer, lnCount) ? 0 : -1; });
}

// Writes exactly lnCount bytes of the text, cut there or padded with NUL bytes: a field of a
// fixed-length record keeps its width, and nothing beyond the text is read.
int WriteField(XString& text, int lnCount)
{
    if (lnCount < 0 || lnCount == INT_MAX) {
        return -1;
    }
    const int length = text.Length();
    text.Reserve(lnCount + 1);
    if (length < lnCount) {
        std::memset(text.Data() + length, 0, static_cast<std::size_t>(lnCount - length));
    }
    return State().stream.Write(text.Text(), lnCount) ? 0 : -1;
}

} // namespace

extern "C" {

int ReadBinIni(const char* szFile)
{
    return Guard(-1, [&] {
        skiff::ResetConvErrCnt();
        const bool bOpened = State().stream.OpenRead(szFile);
        State().lnStatus = State().stream.Status();
        return bOpened ? 0 : -1;
    });
}

int WriteBinIni(const char* szFile)
{
    return Guard(-1, [&] {
        skiff::ResetConvErrCnt();
        const bool bOpened = State().stream.OpenWrite(szFile);
        State().lnStatus = State().stream.Status();
        return bOpened ? 0 : -1;
    });
}

int ReadBinString(void* pBuffer, int lnCount)
{
    return ReadBytes(pBuffer, lnCount);
}

int ReadBinLong(void* pBuffer, int lnCount)
{
    return ReadBytes(pBuffer, lnCount);
}

int ReadBinShort(void* pBuffer, int lnCount)
{
    return ReadBytes(pBuffer, lnCount);
}

int ReadBinFloat(void* pBuffer, int lnCount)
{
    return ReadBytes(pBuffer, lnCount);
}

int ReadBinDouble(void* pBuffer, int lnCount)
{
    return ReadBytes(pBuffer, lnCount);
}

int WriteBinString(const void* pBuffer, int lnCount)
{
    return WriteBytes(pBuffer, lnCount);
}

int WriteBinLong(const void* pBuffer, int lnCount)
{
    return WriteBytes(pBuffer, lnCount);
}

int WriteBinShort(const void* pBuffer, int lnCount)
{
    return WriteBytes(pBuffer, lnCount);
}

int WriteBinFloat(const void* pBuffer, int lnCount)
{
    return WriteBytes(pBuffer, lnCount);
}

int WriteBinDouble(const void* pBuffer, int lnCount)
{
    return WriteBytes(pBuffer, lnCount);
}

int GetEOF(void)
{
    // Without a stream there is nothing left to read: a read loop ends rather than spins.
    return Guard(-1, [] {
        const XBinStream& stream = State().stream;
        return stream.IsOpen() ? (stream.AtEnd() ? 1 : 0) : -1;
    });
}

int ReadBinConvStr(char* szBuffer, int lnCount, int lnCharSet)
{
    return Guard(-1, [&] {
        if (!State().stream.Read(szBuffer, lnCount)) {
            return -1;
        }
        if (lnCharSet == 1) {
            return 0;
        }
        const skiff::ConvPair toSjis = skiff::ToSjis(lnCharSet);
        if (!toSjis) {
            return -1;
        }
        // The field's own bytes, terminated here: the caller's buffer need not hold a NUL.
        XString& field = State().field;
        field.SetRange(szBuffer, 0, lnCount);
        XString& converted = State().scratch;
        skiff::ConvertInto(toSjis, field.Text(), converted);
        // The converted text cut to the field, or followed by NUL bytes up to it.
        const int copied = std::min(converted.Length(), lnCount);
        std::memcpy(szBuffer, converted.Text(), static_cast<std::size_t>(copied));
        std::memset(szBuffer + copied, 0, static_cast<std::size_t>(lnCount - copied));
        return 0;
    });
}

int WriteBinConvStr(const char* szText, int lnCount, int lnCharSet)
{
    return Guard(-1, [&] {
        if (szText == nullptr || lnCount < 0) {
            return -1;
        }
        XString& converted = State().scratch;
        if (lnCharSet == 1) {
            converted.SetRange(szText, 0, lnCount);
        } else {
            const skiff::ConvPair fromSjis = skiff::FromSjis(lnCharSet);
            if (!fromSjis) {
                return -1;
            }
            skiff::ConvertInto(fromSjis, szText, converted);
        }
        return WriteField(converted, lnCount);
    });
}

int WriteTxtConvStr(const char* szText, int lnCharSet)
{
    return Guard(-1, [&] {
        if (szText == nullptr) {
            return -1;
        }
        if (lnCharSet == 1) {
            const std::size_t length = std::strlen(szText);
            return length < INT_MAX && State().stream.Write(szText, static_cast<int>(length)) ? 0
                                                                                              : -1;
        }
        const skiff::ConvPair fromSjis = skiff::FromSjis(lnCharSet);
        if (!fromSjis) {
            return -1;
        }
        XString& converted = State().scratch;
        skiff::ConvertInto(fromSjis, szText, converted);
        return State().stream.Write(converted.Text(), converted.Length()) ? 0 : -1;
    });
}

} // extern "C"

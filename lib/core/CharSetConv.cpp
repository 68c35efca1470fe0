// The converter pairs that carry text between Shift-JIS and a file's character set.
#include "CharSetConv.h"

#include "ConvErrors.h"
#include "JConv.h"
#include "SideBySide.h"
#include "XString.h"
#include "skiff.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace skiff {

ConvPair ToSjis(int lnCharSet)
{
    switch (lnCharSet) {
    case 2:
        return {JIStoSJISLen, JIStoSJIS};
    case 3:
        return {EUCtoSJISLen, EUCtoSJIS};
    case 4:
        return {UNICODEtoSJISLen, UNICODEtoSJIS};
    default:
        return {nullptr, nullptr};
    }
}

ConvPair FromSjis(int lnCharSet)
{
    switch (lnCharSet) {
    case 2:
        return {SJIStoJISLen, SJIStoJIS};
    case 3:
        return {SJIStoEUCLen, SJIStoEUC};
    case 4:
        return {SJIStoUNICODELen, SJIStoUNICODE};
    default:
        return {nullptr, nullptr};
    }
}

void ConvertInto(const ConvPair& pair, const char* szSrc, XString& target)
{
    // The converters answer -1 when they fail; the length counts the terminator.
    const int size = pair.fnLength(szSrc);
    if (size < 1) {
        throw XString::estrOutOfRange;
    }
    target.Reserve(size);
    const int written = pair.fnConvert(szSrc, target.Data());
    target.SetLength(std::clamp(written, 0, size - 1));
}

namespace {

// Where the second half of a text starts: its first ASCII byte from the middle on; 0 when
// there is none.
std::size_t HalfwayAscii(const char* szText, std::size_t nLength)
{
    for (std::size_t i = nLength / 2; i < nLength; ++i) {
        if (static_cast<unsigned char>(szText[i]) < 0x80) {
            return i;
        }
    }
    return 0;
}

} // namespace

void ConvertToSjis(int lnCharSet, const char* szSrc, int lnLength, bool bHalves, XString& target)
{
    const auto from = static_cast<Charset>(lnCharSet);
    const auto length = static_cast<std::size_t>(lnLength);
    // JIS shifts between character sets as it goes: a half could not start on its own.
    const std::size_t cut = bHalves && from != Charset::Jis ? HalfwayAscii(szSrc, length) : 0;
    const std::size_t half = cut != 0 ? cut : length;
    const char* second = szSrc + half;
    const auto both = [cut](auto&& first, auto&& rest) {
        if (cut != 0) {
            SideBySide(first, rest);
        } else {
            first();
        }
    };
    std::size_t sizes[2] = {0, 0};
    both([&] { sizes[0] = ConvertedLength(from, Charset::Sjis, szSrc, half); },
         [&] { sizes[1] = ConvertedLength(from, Charset::Sjis, second, length - half); });
    // Positions are 32-bit, and the terminator needs its byte too.
    if (sizes[0] + sizes[1] >= static_cast<std::size_t>(INT_MAX)) {
        throw XString::estrOutOfRange;
    }
    const int size = static_cast<int>(sizes[0] + sizes[1]);
    target.Reserve(size + 1);
    char* out = target.Data();
    int errors[2] = {0, 0};
    both([&] { Convert(from, Charset::Sjis, szSrc, half, out, errors[0]); },
         [&] { Convert(from, Charset::Sjis, second, length - half, out + sizes[0], errors[1]); });
    target.SetLength(size);
    AddConvErrs(errors[0]);
    AddConvErrs(errors[1]);
}

} // namespace skiff

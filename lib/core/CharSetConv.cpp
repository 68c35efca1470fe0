// The converter pairs that carry text between Shift-JIS and a file's character set.
#include "CharSetConv.h"

#include "XString.h"
#include "skiff.h"

#include <algorithm>

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

} // namespace skiff

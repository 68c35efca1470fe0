// Skiff's exported code converters, their length functions and the substitution count.
#include "ConvErrors.h"
#include "JConv.h"
#include "skiff.h"

#include <climits>

namespace skiff {
namespace {

// The run's one count, read by GetConvErrCnt; everything runs on the caller's one thread.
int gConvErrCnt = 0;

int LengthExport(Charset from, Charset to, const char* szSrc) noexcept
{
    try {
        if (szSrc == nullptr) {
            return -1;
        }
        std::size_t length = ConvertedLength(from, to, szSrc) + 1;
        return length > INT_MAX ? -1 : static_cast<int>(length);
    } catch (...) {
        return -1;
    }
}

int ConvertExport(Charset from, Charset to, const char* szSrc, char* szDst) noexcept
{
    try {
        if (szSrc == nullptr || szDst == nullptr) {
            return -1;
        }
        int errors = 0;
        std::size_t written = Convert(from, to, szSrc, szDst, errors);
        AddConvErrs(errors);
        return written > INT_MAX ? -1 : static_cast<int>(written);
    } catch (...) {
        return -1;
    }
}

} // namespace

void ResetConvErrCnt()
{
    gConvErrCnt = 0;
}

void AddConvErrs(int n)
{
    gConvErrCnt = n > INT_MAX - gConvErrCnt ? INT_MAX : gConvErrCnt + n;
}

} // namespace skiff

using skiff::Charset;

// A converter and its length function for one pair of character sets.
#define SKIFF_CONVERTER(name, from, to)                                                            \
    extern "C" SKIFF_API int name(const char* szSrc, char* szDst)                                  \
    {                                                                                              \
        return skiff::ConvertExport(Charset::from, Charset::to, szSrc, szDst);                     \
    }                                                                                              \
    extern "C" SKIFF_API int name##Len(const char* szSrc)                                          \
    {                                                                                              \
        return skiff::LengthExport(Charset::from, Charset::to, szSrc);                             \
    }

SKIFF_CONVERTER(JIStoSJIS, Jis, Sjis)
SKIFF_CONVERTER(SJIStoJIS, Sjis, Jis)
SKIFF_CONVERTER(JIStoEUC, Jis, Euc)
SKIFF_CONVERTER(EUCtoJIS, Euc, Jis)
SKIFF_CONVERTER(SJIStoUNICODE, Sjis, Utf8)
SKIFF_CONVERTER(UNICODEtoSJIS, Utf8, Sjis)
SKIFF_CONVERTER(SJIStoEUC, Sjis, Euc)
SKIFF_CONVERTER(EUCtoSJIS, Euc, Sjis)
SKIFF_CONVERTER(JIStoUNICODE, Jis, Utf8)
SKIFF_CONVERTER(EUCtoUNICODE, Euc, Utf8)
SKIFF_CONVERTER(UNICODEtoJIS, Utf8, Jis)
SKIFF_CONVERTER(UNICODEtoEUC, Utf8, Euc)

#undef SKIFF_CONVERTER

extern "C" SKIFF_API int GetConvErrCnt(void)
{
    try {
        return skiff::gConvErrCnt;
    } catch (...) {
        return 0;
    }
}

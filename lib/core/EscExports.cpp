// The quote-escaping exports: doubling and undoubling double quotes in a caller's text.
#include "SkiffState.h"
#include "skiff.h"

using skiff::Guard;
using skiff::State;

namespace {

// The caller's text in the result string, escaped or unescaped there.
XString& Transformed(const char* szText, bool bEscape)
{
    XString& result = State().result;
    result.SetText(szText);
    if (bEscape) {
        result.Escape();
    } else {
        result.Unescape();
    }
    return result;
}

} // namespace

extern "C" {

int GetTxtEsc(char* szBuffer, const char* szText, int lnBufferSize)
{
    return Guard(-1,
                 [&] { return skiff::CopyOut(Transformed(szText, true), szBuffer, lnBufferSize); });
}

int GetTxtEscLen(const char* szText)
{
    return Guard(-1, [&] { return Transformed(szText, true).Length(); });
}

int GetTxtRevEsc(char* szBuffer, const char* szText, int lnBufferSize)
{
    return Guard(
        -1, [&] { return skiff::CopyOut(Transformed(szText, false), szBuffer, lnBufferSize); });
}

int GetTxtRevEscLen(const char* szText)
{
    return Guard(-1, [&] { return Transformed(szText, false).Length(); });
}

} // extern "C"

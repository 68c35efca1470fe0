// The library-wide state of Skiff: the open text file, the byte stream and reused strings.
#include "SkiffState.h"

#include <cstring>

namespace skiff {

SkiffState::SkiffState()
{
    result.SetSeparator(XString::kDoubleQuote);
}

SkiffState gState;

int CopyOut(const XString& text, char* szBuffer, int lnBufferSize)
{
    if (szBuffer == nullptr || lnBufferSize <= text.Length()) {
        return -1;
    }
    std::memcpy(szBuffer, text.Text(), static_cast<std::size_t>(text.Length()) + 1);
    return 0;
}

} // namespace skiff

// Malformed bytes of text read from a file: NUL bytes and a lone lead byte become geta marks.
#include "FieldText.h"

#include "XString.h"

#include <cstddef>
#include <cstring>

namespace skiff {

bool EndsInLoneLead(const char* szText, int lnLength)
{
    int run = 0;
    for (int i = lnLength - 1; i >= 0 && IsLeadByte(static_cast<unsigned char>(szText[i])); --i) {
        ++run;
    }
    return run % 2 == 1;
}

namespace {

// Calls segment(start, length, lone) for each run of bytes between NUL bytes (and for the
// last run, which ends the text); a lead byte just before a NUL has lost its trail byte too.
template <typename Segment>
void ForEachSegment(const char* szText, int lnLength, bool bNuls, Segment segment)
{
    const char* p = szText;
    const char* end = szText + lnLength;
    for (;;) {
        const void* nul = bNuls ? std::memchr(p, '\0', static_cast<std::size_t>(end - p)) : nullptr;
        const char* stop = nul != nullptr ? static_cast<const char*>(nul) : end;
        const int length = static_cast<int>(stop - p);
        segment(p, length, EndsInLoneLead(p, length), nul != nullptr);
        if (nul == nullptr) {
            return;
        }
        p = stop + 1;
    }
}

} // namespace

long long MendedLength(const char* szText, int lnLength, bool bNuls)
{
    long long length = 0;
    ForEachSegment(szText, lnLength, bNuls, [&](const char*, int count, bool lone, bool nul) {
        length += count + (lone ? 1 : 0) + (nul ? 2 : 0);
    });
    return length;
}

int CopyMended(const char* szText, int lnLength, bool bNuls, char* szBuffer)
{
    int replaced = 0;
    char* out = szBuffer;
    auto geta = [&] {
        *out++ = kGeta[0];
        *out++ = kGeta[1];
        ++replaced;
    };
    ForEachSegment(szText, lnLength, bNuls, [&](const char* from, int count, bool lone, bool nul) {
        const int body = lone ? count - 1 : count;
        std::memcpy(out, from, static_cast<std::size_t>(body));
        out += body;
        if (lone) {
            geta();
        }
        if (nul) {
            geta();
        }
    });
    *out = '\0';
    return replaced;
}

void MarkNuls(char* pText, int lnLength)
{
    char* end = pText + lnLength;
    for (char* p = pText; p < end; ++p) {
        p = static_cast<char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
        if (p == nullptr) {
            break;
        }
        *p = '\xFF';
    }
}

} // namespace skiff

// Runs of two-byte codes converted straight into the caller's buffer, one table lookup each.
#pragma once

#include "JisTable.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace skiff::jconv {

// Each function converts the run of its kind of character at s, stops short of anything else
// (a character without a code, a mark to count, a broken sequence) and answers where it
// stopped, for the decoder to go on from. The texts end in a NUL, which no test passes.

// Four bytes at next, the lowest first.
inline void Store4(unsigned char* next, std::uint32_t value)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(next, &value, sizeof value);
#else
    for (int i = 0; i < 4; ++i) {
        next[i] = static_cast<unsigned char>(value >> (8 * i));
    }
#endif
}

inline void StorePair(unsigned char* next, unsigned code)
{
    next[0] = static_cast<unsigned char>(code >> 8);
    next[1] = static_cast<unsigned char>(code);
}

// Shift-JIS pairs into UTF-8, each stored as four bytes of which one to three count: four more
// source bytes write at least two more bytes and the NUL follows, so the store stays inside a
// buffer of the converted length.
inline const unsigned char* SjisPairsToUtf8(const unsigned char* s, const unsigned char* end,
                                            unsigned char*& next)
{
    while (end - s >= 6 && HasJisCode(s[0], s[1])) {
        const std::uint32_t utf8 = SjisToUtf8((unsigned{s[0]} << 8) | s[1]);
        if (utf8 == 0) {
            break;
        }
        Store4(next, utf8);
        next += utf8 >> 24;
        s += 2;
    }
    return s;
}

// JIS X 0208 pairs (both bytes Low-High, Low above 0) into Shift-JIS.
template <unsigned Low, unsigned High>
const unsigned char* JisPairsToSjis(const unsigned char* s, unsigned char*& next)
{
    while (s[0] >= Low && s[0] <= High && s[1] >= Low && s[1] <= High) {
        const unsigned sjis = JisToAssignedSjis(((unsigned{s[0]} << 8) | s[1]) & 0x7F7F);
        if (sjis == 0) {
            break;
        }
        StorePair(next, sjis);
        next += 2;
        s += 2;
    }
    return s;
}

// Three-byte UTF-8 characters of the Unicode pages most Japanese text is written in into
// Shift-JIS.
inline const unsigned char* Utf8TriplesToSjis(const unsigned char* s, const unsigned char* end,
                                              unsigned char*& next)
{
    while (end - s >= 3) {
        const unsigned lead = s[0];
        const unsigned second = s[1];
        const unsigned third = s[2];
        // Lead E1-EF (E0 may start an overlong form) and two followers.
        if (((lead & 0xF0) != 0xE0) | (lead == 0xE0) |
            ((((second ^ 0x80u) | (third ^ 0x80u)) & 0xC0) != 0)) {
            break;
        }
        const unsigned unicode = ((lead & 0x0F) << 12) | ((second & 0x3Fu) << 6) | (third & 0x3Fu);
        const unsigned slot = kUnicodePageSlot[unicode >> 8];
        if (slot == kColdPage) {
            break;
        }
        const unsigned sjis = kUnicodeToSjis[(slot << 8) | (unicode & 0xFF)];
        if (sjis == 0) {
            break;
        }
        StorePair(next, sjis);
        next += 2;
        s += 3;
    }
    return s;
}

} // namespace skiff::jconv

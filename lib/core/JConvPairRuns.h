// Runs of two-byte codes converted straight into the caller's buffer, one table lookup each.
#pragma once

#include "JisTable.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

#ifdef __SSE2__
// Eight JIS X 0208 pairs at s (bytes Low-High, 0x80 apart from the JIS bytes or not) into
// Shift-JIS at next by the code arithmetic; false, writing nothing, unless all sixteen bytes
// are such pairs of the rows that the standard fills from their first cell on (symbols, kana,
// the kanji but for the last cells of each level).
template <unsigned Low, unsigned High>
[[gnu::always_inline]] inline bool EightJisPairsToSjis(const unsigned char* s, unsigned char* next)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(Low)));
    const __m128i width = _mm_set1_epi8(static_cast<char>(High - Low));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(shifted, width), shifted)) != 0xFFFF) {
        return false;
    }
    // Sixteen-bit lanes: the row in the low byte (the first one), the cell in the high.
    const __m128i jis = _mm_and_si128(bytes, _mm_set1_epi16(0x7F7F));
    const __m128i row = _mm_and_si128(jis, _mm_set1_epi16(0xFF));
    const __m128i cell = _mm_srli_epi16(jis, 8);
    const auto above = [](__m128i value, short limit) {
        return _mm_cmpgt_epi16(value, _mm_set1_epi16(limit));
    };
    const auto below = [](__m128i value, short limit) {
        return _mm_cmplt_epi16(value, _mm_set1_epi16(limit));
    };
    const __m128i full =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(row, _mm_set1_epi16(0x21)),
                                  _mm_and_si128(above(row, 0x2F), below(row, 0x4F))),
                     _mm_and_si128(above(row, 0x4F), below(row, 0x74)));
    const __m128i kana =
        _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi16(row, _mm_set1_epi16(0x24)), below(cell, 0x74)),
                     _mm_and_si128(_mm_cmpeq_epi16(row, _mm_set1_epi16(0x25)), below(cell, 0x77)));
    if (_mm_movemask_epi8(_mm_or_si128(full, kana)) != 0xFFFF) {
        return false;
    }
    // JisToSjis, lane by lane.
    const __m128i lead =
        _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(_mm_sub_epi16(row, _mm_set1_epi16(0x21)), 1),
                                    _mm_set1_epi16(0x81)),
                      _mm_and_si128(above(row, 0x5E), _mm_set1_epi16(0x40)));
    const __m128i odd = _mm_cmpeq_epi16(_mm_and_si128(row, _mm_set1_epi16(1)), _mm_set1_epi16(1));
    const __m128i oddTrail =
        _mm_sub_epi16(_mm_add_epi16(cell, _mm_set1_epi16(0x1F)), above(cell, 0x5F));
    const __m128i evenTrail = _mm_add_epi16(cell, _mm_set1_epi16(0x7E));
    const __m128i trail =
        _mm_or_si128(_mm_and_si128(odd, oddTrail), _mm_andnot_si128(odd, evenTrail));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(next),
                     _mm_or_si128(lead, _mm_slli_epi16(trail, 8)));
    return true;
}
#endif

// JIS X 0208 pairs (both bytes Low-High, Low above 0) into Shift-JIS.
template <unsigned Low, unsigned High>
const unsigned char* JisPairsToSjis(const unsigned char* s, const unsigned char* end,
                                    unsigned char*& next)
{
#ifdef __SSE2__
    while (end - s >= 16 && EightJisPairsToSjis<Low, High>(s, next)) {
        s += 16;
        next += 16;
    }
#else
    (void)end;
#endif
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

// Shift-JIS code of a Unicode value of the hot pages; 0 for anything else.
inline unsigned HotSjis(unsigned unicode)
{
    const unsigned slot = kUnicodePageSlot[unicode >> 8];
    return slot != kColdPage ? kUnicodeToSjis[(slot << 8) | (unicode & 0xFF)] : 0;
}

#ifdef __SSE2__
// Five three-byte UTF-8 characters (leads E1-EF) in the sixteen bytes at s into Shift-JIS at
// next, up to the first without a hot-page code; how many, or -1 when the bytes are not five
// such characters.
[[gnu::always_inline]] inline int FiveTriplesToSjis(const unsigned char* s, unsigned char* next)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xE1)));
    const __m128i lead = _mm_cmpeq_epi8(_mm_min_epu8(shifted, _mm_set1_epi8(0x0E)), shifted);
    // Signed: the followers 0x80-0xBF are the smallest bytes.
    const __m128i follower = _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xC0)));
    if ((_mm_movemask_epi8(lead) & 0x7FFF) != 0x1249 ||
        (_mm_movemask_epi8(follower) & 0x7FFF) != 0x6DB6) {
        return -1;
    }
    // Each byte next to the two after it in sixteen-bit lanes; the lanes of the leads (0, 3,
    // 6, 9 and 12) hold the code points.
    const __m128i zero = _mm_setzero_si128();
    const __m128i second = _mm_srli_si128(bytes, 1);
    const __m128i third = _mm_srli_si128(bytes, 2);
    const auto decode = [](__m128i first, __m128i middle, __m128i last) {
        return _mm_or_si128(
            _mm_slli_epi16(_mm_and_si128(first, _mm_set1_epi16(0x0F)), 12),
            _mm_or_si128(_mm_slli_epi16(_mm_and_si128(middle, _mm_set1_epi16(0x3F)), 6),
                         _mm_and_si128(last, _mm_set1_epi16(0x3F))));
    };
    const __m128i low = decode(_mm_unpacklo_epi8(bytes, zero), _mm_unpacklo_epi8(second, zero),
                               _mm_unpacklo_epi8(third, zero));
    const __m128i high = decode(_mm_unpackhi_epi8(bytes, zero), _mm_unpackhi_epi8(second, zero),
                                _mm_unpackhi_epi8(third, zero));
    const unsigned unicode[5] = {static_cast<unsigned>(_mm_extract_epi16(low, 0)),
                                 static_cast<unsigned>(_mm_extract_epi16(low, 3)),
                                 static_cast<unsigned>(_mm_extract_epi16(low, 6)),
                                 static_cast<unsigned>(_mm_extract_epi16(high, 1)),
                                 static_cast<unsigned>(_mm_extract_epi16(high, 4))};
    for (int i = 0; i < 5; ++i) {
        const unsigned sjis = HotSjis(unicode[i]);
        if (sjis == 0) {
            return i;
        }
        StorePair(next + 2 * i, sjis);
    }
    return 5;
}
#endif

// Three-byte UTF-8 characters of the Unicode pages most Japanese text is written in into
// Shift-JIS.
inline const unsigned char* Utf8TriplesToSjis(const unsigned char* s, const unsigned char* end,
                                              unsigned char*& next)
{
#ifdef __SSE2__
    while (end - s >= 16) {
        const int done = FiveTriplesToSjis(s, next);
        if (done < 0) {
            break;
        }
        s += 3 * done;
        next += 2 * done;
        if (done < 5) {
            return s;
        }
    }
#endif
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
        const unsigned sjis = HotSjis(unicode);
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

// Sixteen bytes at a time for the length functions: runs of two-byte codes and blocks of UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace skiff::jconv {

// End of the run of bytes low-high starting at s (high - low < 0x80).
template <unsigned Low, unsigned High>
inline const unsigned char* RangeRunEnd(const unsigned char* s, const unsigned char* end)
{
#ifdef __SSE2__
    const __m128i low = _mm_set1_epi8(static_cast<char>(Low));
    const __m128i width = _mm_set1_epi8(static_cast<char>(High - Low));
    while (end - s >= 16) {
        const __m128i shifted =
            _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), low);
        const __m128i inside = _mm_cmpeq_epi8(_mm_min_epu8(shifted, width), shifted);
        const unsigned outside = ~static_cast<unsigned>(_mm_movemask_epi8(inside)) & 0xFFFF;
        if (outside != 0) {
            return s + __builtin_ctz(outside);
        }
        s += 16;
    }
#endif
    while (s < end && *s >= Low && *s <= High) {
        ++s;
    }
    return s;
}

// Bits set in a 16-bit mask, without the library call a plain x86-64 build makes of it.
inline unsigned CountBits16(unsigned mask)
{
    mask -= (mask >> 1) & 0x5555;
    mask = (mask & 0x3333) + ((mask >> 2) & 0x3333);
    mask = (mask + (mask >> 4)) & 0x0F0F;
    return (mask + (mask >> 8)) & 0x1F;
}

// The common kind of UTF-8 for a Shift-JIS or EUC-JP length: ASCII below 0x7E and three-byte
// characters other than those of lead bytes E2 and EF (which hold the overline and half-width
// katakana, single bytes in the target) and E0 (whose followers may make an overlong form: one
// mark that also swallows any stray followers behind it). When the sixteen bytes at s are such
// characters, up to one cut short at the end, answers the bytes of the whole characters (14 to
// 16) and adds the bytes they convert to into size; otherwise answers 0 and the caller reads a
// character at a time.
inline std::size_t CommonUtf8Block(const unsigned char* s, std::size_t& size)
{
#ifdef __SSE2__
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(bytes));
    // Signed comparisons: 0x80-0xBF are the smallest values, ASCII the largest.
    const unsigned follower = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xC0)))));
    const __m128i threeByteLead = _mm_cmpeq_epi8(_mm_and_si128(bytes, _mm_set1_epi8(-16)),
                                                 _mm_set1_epi8(static_cast<char>(0xE0)));
    const __m128i special =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xE0))),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xE2))),
                                  _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xEF)))));
    const unsigned lead =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(special, threeByteLead)));
    const unsigned tilde =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x7D))));
    // Every follower where a lead calls for one, up to the sixteenth byte; a character cut
    // short there is left for the next block.
    const unsigned expected = ((lead << 1) | (lead << 2)) & 0xFFFF;
    if (tilde != 0 || follower != expected || high != (lead | follower)) {
        return 0;
    }
    const std::size_t whole = (lead & 0x4000) != 0 ? 14 : (lead & 0x8000) != 0 ? 15 : 16;
    const unsigned mask = (1u << whole) - 1;
    size += whole - CountBits16(lead & mask);
    return whole;
#else
    (void)s;
    (void)size;
    return 0;
#endif
}

} // namespace skiff::jconv

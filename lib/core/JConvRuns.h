// Sixteen bytes at a time: runs of ASCII and of two-byte codes, and blocks of UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

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

constexpr std::uint64_t kHighBits = 0x8080808080808080u;
constexpr std::uint64_t kOnes = 0x0101010101010101u;

// Runs of ASCII, where the decoders copy or count bytes without looking at them one by one.

inline std::uint64_t Word(const unsigned char* s)
{
    std::uint64_t word;
    std::memcpy(&word, s, sizeof word);
    return word;
}

// End of the run of bytes 0x01-0x7F starting at s, eight at a time where possible.
inline const unsigned char* AsciiRunEnd(const unsigned char* s, const unsigned char* end)
{
#ifdef __SSE2__
    while (end - s >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        if (const int stop = _mm_movemask_epi8(bytes)) {
            return s + __builtin_ctz(static_cast<unsigned>(stop));
        }
        s += 16;
    }
#endif
    while (end - s >= 8 && (Word(s) & kHighBits) == 0) {
        s += 8;
    }
    while (s < end && *s < 0x80) {
        ++s;
    }
    return s;
}

// The same for JIS text, whose runs also end at an escape byte.
[[gnu::always_inline]] inline const unsigned char* JisAsciiRunEnd(const unsigned char* s,
                                                                  const unsigned char* end)
{
#ifdef __SSE2__
    while (end - s >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i escape = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x1B));
        if (const int stop = _mm_movemask_epi8(_mm_or_si128(bytes, escape))) {
            return s + __builtin_ctz(static_cast<unsigned>(stop));
        }
        s += 16;
    }
#endif
    while (end - s >= 8) {
        const std::uint64_t word = Word(s);
        const std::uint64_t noEscape = word ^ (kOnes * 0x1B);
        if (((word | ((noEscape - kOnes) & ~noEscape)) & kHighBits) != 0) {
            break;
        }
        s += 8;
    }
    while (s < end && *s < 0x80 && *s != 0x1B) {
        ++s;
    }
    return s;
}

// The same for UTF-8 text, whose runs also end at U+007E and U+007F (no Shift-JIS code).
inline const unsigned char* Utf8AsciiRunEnd(const unsigned char* s, const unsigned char* end)
{
#ifdef __SSE2__
    while (end - s >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        // Signed: 0x7E and 0x7F alone are above 0x7D, the bytes above 0x7F below 0.
        const __m128i tilde = _mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x7D));
        if (const int stop = _mm_movemask_epi8(_mm_or_si128(bytes, tilde))) {
            return s + __builtin_ctz(static_cast<unsigned>(stop));
        }
        s += 16;
    }
#endif
    while (end - s >= 8) {
        const std::uint64_t word = Word(s);
        if (((word | (word + kOnes * 2)) & kHighBits) != 0) {
            break;
        }
        s += 8;
    }
    while (s < end && *s < 0x7E) {
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

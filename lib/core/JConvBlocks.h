// Sixty-four bytes at a time for the length functions: byte classes as bit masks, one bit a byte.
#pragma once

#include "JConvWide.h"
#include "JisTable.h"

#include <array>
#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace skiff::jconv {

using Mask = std::uint64_t;

constexpr std::size_t kBlock = 64;

// Bits set in a mask, without the library call a plain x86-64 build makes of it.
inline std::size_t CountBits(Mask mask)
{
    mask -= (mask >> 1) & 0x5555555555555555u;
    mask = (mask & 0x3333333333333333u) + ((mask >> 2) & 0x3333333333333333u);
    mask = (mask + (mask >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<std::size_t>((mask * 0x0101010101010101u) >> 56);
}

// The low count bits (count up to 64).
inline Mask LowBits(std::size_t count)
{
    return count >= kBlock ? ~Mask{0} : (Mask{1} << count) - 1;
}

// Sixteen bytes (a byte without SSE2) tested at once: each test gives a byte whose top bit
// tells whether the byte passed it.
#ifdef __SSE2__
constexpr std::size_t kLanes = 16;
struct Lanes
{
    __m128i v;
};
inline Lanes Load(const unsigned char* s)
{
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(s))};
}
inline Lanes operator|(Lanes a, Lanes b)
{
    return {_mm_or_si128(a.v, b.v)};
}
inline Lanes operator&(Lanes a, Lanes b)
{
    return {_mm_and_si128(a.v, b.v)};
}
// Bytes Low-High (High - Low < 0x80).
template <unsigned Low, unsigned High> Lanes In(Lanes bytes)
{
    const __m128i shifted = _mm_sub_epi8(bytes.v, _mm_set1_epi8(static_cast<char>(Low)));
    const __m128i width = _mm_set1_epi8(static_cast<char>(High - Low));
    return {_mm_cmpeq_epi8(_mm_min_epu8(shifted, width), shifted)};
}
inline Lanes Is(Lanes bytes, unsigned c)
{
    return {_mm_cmpeq_epi8(bytes.v, _mm_set1_epi8(static_cast<char>(c)))};
}
inline Mask Bits(Lanes passed)
{
    return static_cast<std::uint16_t>(_mm_movemask_epi8(passed.v));
}
#else
constexpr std::size_t kLanes = 1;
struct Lanes
{
    unsigned v;
};
inline Lanes Load(const unsigned char* s)
{
    return {*s};
}
inline Lanes operator|(Lanes a, Lanes b)
{
    return {a.v | b.v};
}
inline Lanes operator&(Lanes a, Lanes b)
{
    return {a.v & b.v};
}
template <unsigned Low, unsigned High> Lanes In(Lanes bytes)
{
    return {bytes.v >= Low && bytes.v <= High ? 0x80u : 0u};
}
inline Lanes Is(Lanes bytes, unsigned c)
{
    return {bytes.v == c ? 0x80u : 0u};
}
inline Mask Bits(Lanes passed)
{
    return (passed.v >> 7) & 1;
}
#endif

// The masks of the sixty-four bytes at s for the tests that tests(bytes, at) answers for the
// bytes at at (the top bit alone of a byte counts, so a byte itself tests for 0x80-0xFF).
template <std::size_t N, class Tests>
std::array<Mask, N> Classify(const unsigned char* s, Tests tests)
{
    std::array<Mask, N> masks{};
    for (std::size_t i = 0; i < kBlock; i += kLanes) {
        const std::array<Lanes, N> passed = tests(Load(s + i), s + i);
        for (std::size_t j = 0; j < N; ++j) {
            masks[j] |= Bits(passed[j]) << i;
        }
    }
    return masks;
}

// Pairs in a text where a byte of candidates starts a pair with whatever byte follows it: the
// candidates that start one. A run of candidates alternates lead and trail from its start, so
// a candidate leads exactly when the run before it has even length; adding a run's even-placed
// start to the run carries out at its end, which tells the parity without a loop. carry is 1
// when the first byte is the trail of a pair begun before the block, and so on out.
inline Mask PairLeads(Mask candidates, Mask& carry)
{
    constexpr Mask kOddBits = 0xAAAAAAAAAAAAAAAAu;
    const Mask potential = candidates & ~carry;
    const Mask code = (((potential << 1) | kOddBits) - potential) ^ kOddBits;
    const Mask leads = code & potential;
    carry = leads >> 63;
    return leads;
}

// The highest bit below position (which is at most 64), or 0 when there is none.
inline std::size_t StartBelow(Mask starts, std::size_t position)
{
    const Mask below = starts & LowBits(position);
    return below == 0 ? 0 : 63 - static_cast<std::size_t>(__builtin_clzll(below));
}

// UTF-8 bytes of the Shift-JIS characters starting at s: whole blocks while every lead byte
// has its trail byte. Answers where it stopped, a character's start; the caller reads a
// character there before coming back. Only some pairs of the leads 0x81, 0x83 and 0x84 write
// fewer than three bytes (symbols, Greek and Cyrillic): only they are looked up.
inline const unsigned char* SjisToUtf8Blocks(const unsigned char* s, const unsigned char* end,
                                             std::size_t& size)
{
    Mask carry = 0;
    const bool wide = WideVectors();
    // The byte after the block is read when a pair crosses into it: at worst the NUL.
    while (static_cast<std::size_t>(end - s) >= kBlock) {
        if (wide && carry == 0) {
            s = PlainSjisToUtf8Blocks(s, end, size);
            if (static_cast<std::size_t>(end - s) < kBlock) {
                break;
            }
        }
        const auto [high, trail, candidate, yen, overline, narrow] =
            Classify<6>(s, [](Lanes bytes, const unsigned char* at) {
                const Lanes next = Load(at + 1);
                const Lanes narrowTrail = In<0x4C, 0x4E>(next) | Is(next, 0x5F) |
                                          In<0x7D, 0x98>(next) | Is(next, 0xCA) | Is(next, 0xF7);
                return std::array<Lanes, 6>{bytes,
                                            In<0x40, 0x7E>(bytes) | In<0x80, 0xFC>(bytes),
                                            In<0x81, 0x9F>(bytes) | In<0xE0, 0xFC>(bytes),
                                            Is(bytes, 0x5C),
                                            Is(bytes, 0x7E),
                                            (Is(bytes, 0x81) & narrowTrail) |
                                                (Is(bytes, 0x83) & In<0x9F, 0xD6>(next)) |
                                                Is(bytes, 0x84)};
            });
        Mask next = carry;
        const Mask leads = PairLeads(candidate, next);
        if (((leads << 1) & ~trail) != 0 || (next != 0 && !IsSjisTrail(s[kBlock]))) {
            break;
        }
        const Mask trails = (leads << 1) | carry;
        const Mask ascii = ~high & ~trails;
        size += CountBits(ascii) + CountBits(ascii & yen) + 2 * CountBits(ascii & overline) +
                3 * CountBits(high & ~trails);
        for (Mask pairs = leads & narrow; pairs != 0; pairs &= pairs - 1) {
            const unsigned char* pair = s + __builtin_ctzll(pairs);
            const std::uint32_t utf8 = SjisToUtf8((unsigned{pair[0]} << 8) | pair[1]);
            size -= utf8 != 0 ? 3 - (utf8 >> 24) : 0;
        }
        carry = next;
        s += kBlock;
    }
    return s + carry;
}

// Shift-JIS or EUC-JP bytes of the UTF-8 characters starting at s, KanaBytes for a half-width
// katakana: whole characters of whole blocks while they are ASCII, two-byte or three-byte
// characters but those of lead E0 (an overlong form swallows the stray followers behind it).
// Answers where it stopped, a character's start, short of anything else.
template <std::size_t KanaBytes>
const unsigned char* Utf8ToDoubleByteBlocks(const unsigned char* s, const unsigned char* end,
                                            std::size_t& size)
{
    const bool wide = WideVectors();
    while (static_cast<std::size_t>(end - s) >= kBlock) {
        if (wide) {
            s = PlainUtf8Blocks(s, end, size);
            if (static_cast<std::size_t>(end - s) < kBlock) {
                break;
            }
        }
        const auto [high, follower, lead2, lead3, tilde, narrow] =
            Classify<6>(s, [](Lanes bytes, const unsigned char*) {
                return std::array<Lanes, 6>{bytes,
                                            In<0x80, 0xBF>(bytes),
                                            In<0xC2, 0xDF>(bytes),
                                            In<0xE1, 0xEF>(bytes),
                                            In<0x7E, 0x7F>(bytes),
                                            Is(bytes, 0xC2) | Is(bytes, 0xE2) | Is(bytes, 0xEF)};
            });
        const Mask ascii = ~high;
        const Mask other = high & ~(follower | lead2 | lead3);
        const Mask starts = ascii | lead2 | lead3 | other;
        const Mask bad = other | (follower ^ ((lead2 << 1) | (lead3 << 1) | (lead3 << 2)));
        std::size_t whole = kBlock;
        if (bad != 0) {
            // Everything from the character before the first fault on is the caller's.
            whole = StartBelow(starts, static_cast<std::size_t>(__builtin_ctzll(bad)));
        } else if (((lead3 >> 62) | (lead2 >> 63)) != 0) {
            whole = StartBelow(starts, kBlock);
        }
        const Mask in = LowBits(whole);
        const Mask leads = (lead2 | lead3) & in;
        // U+007E and U+007F become marks; the yen sign, the overline and half-width katakana
        // single bytes.
        size += CountBits(ascii & in) + CountBits(tilde & in) + 2 * CountBits(leads);
        for (Mask rare = leads & narrow; rare != 0; rare &= rare - 1) {
            const unsigned char* c = s + __builtin_ctzll(rare);
            const unsigned second = c[1] & 0x3Fu;
            const unsigned unicode = c[0] == 0xC2
                                         ? 0x80 | second
                                         : ((c[0] & 0x0Fu) << 12) | (second << 6) | (c[2] & 0x3Fu);
            size -= unicode == 0xA5 || unicode == 0x203E  ? 1
                    : unicode - 0xFF61 <= 0xFF9F - 0xFF61 ? 2 - KanaBytes
                                                          : 0;
        }
        s += whole;
        if (bad != 0) {
            break;
        }
    }
    return s;
}

// Shift-JIS bytes of EUC-JP text: runs of JIS X 0208 pairs (bytes A1-FE) among ASCII, each
// pair and a lone lead writing two bytes, each ASCII byte one. Ends at the first other byte
// above 0x7F, a character's start, for the caller to read; whole blocks until then.
inline const unsigned char* EucToSjisBlocks(const unsigned char* s, const unsigned char* end,
                                            std::size_t& size)
{
    Mask carry = 0;
    while (static_cast<std::size_t>(end - s) >= kBlock) {
        const auto [pairByte, high] = Classify<2>(s, [](Lanes bytes, const unsigned char*) {
            return std::array<Lanes, 2>{In<0xA1, 0xFE>(bytes), bytes};
        });
        const Mask unusual = high & ~pairByte;
        const std::size_t count =
            unusual != 0 ? static_cast<std::size_t>(__builtin_ctzll(unusual)) : kBlock;
        const Mask pair = pairByte & LowBits(count);
        const Mask leads = PairLeads(pair, carry);
        size += count - CountBits(pair) + 2 * CountBits(leads);
        if (count < kBlock) {
            return s + count;
        }
        s += kBlock;
    }
    // A pair begun in the last block takes its trail along, if there is one.
    return s + (carry != 0 && *s >= 0xA1 && *s <= 0xFE ? 1 : 0);
}

// The same for JIS text, in its ASCII and kanji shifts, following the shift sequences between
// them (which write nothing in these sets); kanji and kana are the decoder's shift state.
inline const unsigned char* JisToDoubleByteBlocks(const unsigned char* s, const unsigned char* end,
                                                  std::size_t& size, bool& kanji, bool& kana)
{
    Mask carry = 0;
    while (!kana && static_cast<std::size_t>(end - s) >= kBlock) {
        const auto [pairByte, stop] = Classify<2>(s, [](Lanes bytes, const unsigned char*) {
            return std::array<Lanes, 2>{In<0x21, 0x7E>(bytes), bytes | Is(bytes, 0x1B)};
        });
        const std::size_t count =
            stop != 0 ? static_cast<std::size_t>(__builtin_ctzll(stop)) : kBlock;
        if (kanji) {
            const Mask pair = pairByte & LowBits(count);
            const Mask leads = PairLeads(pair, carry);
            size += count - CountBits(pair) + 2 * CountBits(leads);
        } else {
            size += count;
        }
        s += count;
        if (count == kBlock) {
            continue;
        }
        // A run of pairs ends at the escape byte; its bytes after it are readable one by one
        // as long as none is the NUL.
        carry = 0;
        if (s[0] != 0x1B) {
            return s;
        }
        if (s[1] == '$' && s[2] == 'B') {
            kanji = true;
        } else if (s[1] == '(' && (s[2] == 'B' || s[2] == 'I')) {
            kana = s[2] == 'I';
            kanji = kanji && kana;
        } else {
            return s;
        }
        s += 3;
    }
    return s + (carry != 0 && *s >= 0x21 && *s <= 0x7E ? 1 : 0);
}

} // namespace skiff::jconv

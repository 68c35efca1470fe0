// Length passes with 32-byte vectors, compiled for AVX2 alone and chosen at run time.
#include "JConvWide.h"

#include <cstdint>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define SKIFF_WIDE_VECTORS 1
#endif

// The library still runs on any x86-64 processor: nothing here runs unless the processor
// says it has AVX2.
namespace skiff::jconv {

#ifdef SKIFF_WIDE_VECTORS

namespace {

// Runs while the library's statics are set up, perhaps before the compiler's own start-up
// code has read the processor's features.
bool Supported()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}

// Read by every length pass, written only by tests.
bool gUseWide = Supported();

// Everything the AVX2 code calls is defined here with the same target, so that no function
// compiled for AVX2 can stand in for a shared inline one elsewhere.
#define SKIFF_AVX2 __attribute__((target("avx2,popcnt")))

SKIFF_AVX2 inline std::uint64_t Bits(__m256i low, __m256i high)
{
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
           (std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(high))} << 32);
}

// C0-C2, E0, E2 and EF-FF: overlong forms, the yen sign, the overline, half-width katakana,
// four-byte characters and stray bytes, each left to the exact pass.
SKIFF_AVX2 inline __m256i Special(__m256i bytes)
{
    const __m256i fromC0 = _mm256_sub_epi8(bytes, _mm256_set1_epi8(static_cast<char>(0xC0)));
    const __m256i c0ToC2 = _mm256_cmpeq_epi8(_mm256_min_epu8(fromC0, _mm256_set1_epi8(2)), fromC0);
    const __m256i e0OrE2 =
        _mm256_cmpeq_epi8(_mm256_and_si256(bytes, _mm256_set1_epi8(static_cast<char>(0xFD))),
                          _mm256_set1_epi8(static_cast<char>(0xE0)));
    const __m256i fromEf =
        _mm256_cmpeq_epi8(_mm256_max_epu8(bytes, _mm256_set1_epi8(static_cast<char>(0xEF))), bytes);
    return _mm256_or_si256(_mm256_or_si256(c0ToC2, e0OrE2), fromEf);
}

// The advance is always a whole block, so that the next block's loads never wait for this
// block's masks: a character cut short at the end is counted here and its followers are
// expected in the next block; where that is not plain, the character is handed back.
SKIFF_AVX2 const unsigned char* PlainBlocks(const unsigned char* s, const unsigned char* end,
                                            std::size_t& size)
{
    std::uint64_t carry = 0;
    std::size_t back = 0;
    while (end - s >= 64) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 32));
        if (Bits(Special(low), Special(high)) != 0) {
            break;
        }
        // Signed: the followers 0x80-0xBF are the smallest bytes, E0-FF the largest below 0.
        const __m256i belowLeads = _mm256_set1_epi8(static_cast<char>(0xC0));
        const __m256i belowE0 = _mm256_set1_epi8(static_cast<char>(0xDF));
        const __m256i aboveAscii = _mm256_set1_epi8(0x7D);
        const std::uint64_t top = Bits(low, high);
        const std::uint64_t follower =
            Bits(_mm256_cmpgt_epi8(belowLeads, low), _mm256_cmpgt_epi8(belowLeads, high));
        const std::uint64_t lead3 =
            Bits(_mm256_cmpgt_epi8(low, belowE0), _mm256_cmpgt_epi8(high, belowE0)) & top;
        const std::uint64_t tilde =
            Bits(_mm256_cmpgt_epi8(low, aboveAscii), _mm256_cmpgt_epi8(high, aboveAscii));
        const std::uint64_t lead = top & ~follower;
        if (follower != ((lead << 1) | (lead3 << 2) | carry)) {
            break;
        }
        size += static_cast<std::size_t>(_mm_popcnt_u64(~top) + _mm_popcnt_u64(tilde) +
                                         2 * _mm_popcnt_u64(lead));
        // A lead on the last byte, or a three-byte lead on the one before, has followers in
        // the next block (the two cannot come together in a block that passed).
        carry = (lead >> 63) | (lead3 >> 62);
        back = static_cast<std::size_t>((lead >> 63) + 2 * ((lead3 >> 62) & 1));
        s += 64;
    }
    if (carry != 0) {
        s -= back;
        size -= 2;
    }
    return s;
}

SKIFF_AVX2 inline __m256i In(__m256i bytes, unsigned low, unsigned high)
{
    const __m256i shifted = _mm256_sub_epi8(bytes, _mm256_set1_epi8(static_cast<char>(low)));
    return _mm256_cmpeq_epi8(
        _mm256_min_epu8(shifted, _mm256_set1_epi8(static_cast<char>(high - low))), shifted);
}

SKIFF_AVX2 inline __m256i Is(__m256i bytes, unsigned c)
{
    return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(static_cast<char>(c)));
}

// Trail bytes 0x40-0x7E and 0x80-0xFC.
SKIFF_AVX2 inline __m256i Trail(__m256i bytes)
{
    return _mm256_or_si256(In(bytes, 0x40, 0x7E), In(bytes, 0x80, 0xFC));
}

SKIFF_AVX2 inline __m256i Candidate(__m256i bytes)
{
    return _mm256_or_si256(In(bytes, 0x81, 0x9F), In(bytes, 0xE0, 0xFC));
}

// Leads of the pairs that may write fewer than three bytes of UTF-8 (a superset: symbols of
// lead 0x81, Greek of 0x83, everything of 0x84), given the bytes after them.
SKIFF_AVX2 inline __m256i Narrow(__m256i bytes, __m256i next)
{
    const __m256i symbol = _mm256_or_si256(
        _mm256_or_si256(In(next, 0x4C, 0x4E), Is(next, 0x5F)),
        _mm256_or_si256(In(next, 0x7D, 0x98), _mm256_or_si256(Is(next, 0xCA), Is(next, 0xF7))));
    return _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(Is(bytes, 0x81), symbol),
                                           _mm256_and_si256(Is(bytes, 0x83), In(next, 0x9F, 0xD6))),
                           Is(bytes, 0x84));
}

// Like PlainBlocks for Shift-JIS text written as UTF-8: a pair cut at the end is counted here
// and its trail checked in the next block, or handed back.
SKIFF_AVX2 const unsigned char* PlainSjisBlocks(const unsigned char* s, const unsigned char* end,
                                                std::size_t& size)
{
    constexpr std::uint64_t kOddBits = 0xAAAAAAAAAAAAAAAAu;
    std::uint64_t carry = 0;
    while (end - s >= 64) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 32));
        // The byte after the block is at worst the NUL.
        const __m256i nextLow = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 1));
        const __m256i nextHigh = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 33));
        const std::uint64_t candidate = Bits(Candidate(low), Candidate(high));
        const std::uint64_t potential = candidate & ~carry;
        const std::uint64_t leads =
            ((((potential << 1) | kOddBits) - potential) ^ kOddBits) & potential;
        const std::uint64_t trails = (leads << 1) | carry;
        if ((trails & ~Bits(Trail(low), Trail(high))) != 0 ||
            (leads & Bits(Narrow(low, nextLow), Narrow(high, nextHigh))) != 0) {
            break;
        }
        const std::uint64_t top = Bits(low, high);
        const std::uint64_t ascii = ~top & ~trails;
        size += static_cast<std::size_t>(
            _mm_popcnt_u64(ascii) + _mm_popcnt_u64(ascii & Bits(Is(low, 0x5C), Is(high, 0x5C))) +
            2 * _mm_popcnt_u64(ascii & Bits(Is(low, 0x7E), Is(high, 0x7E))) +
            3 * _mm_popcnt_u64(top & ~trails));
        carry = leads >> 63;
        s += 64;
    }
    if (carry != 0) {
        --s;
        size -= 3;
    }
    return s;
}

} // namespace

bool WideVectors()
{
    return gUseWide;
}

void UseWideVectors(bool use)
{
    gUseWide = use && Supported();
}

const unsigned char* PlainUtf8Blocks(const unsigned char* s, const unsigned char* end,
                                     std::size_t& size)
{
    return PlainBlocks(s, end, size);
}

const unsigned char* PlainSjisToUtf8Blocks(const unsigned char* s, const unsigned char* end,
                                           std::size_t& size)
{
    return PlainSjisBlocks(s, end, size);
}

#else

bool WideVectors()
{
    return false;
}

void UseWideVectors(bool) {}

const unsigned char* PlainUtf8Blocks(const unsigned char* s, const unsigned char*, std::size_t&)
{
    return s;
}

const unsigned char* PlainSjisToUtf8Blocks(const unsigned char* s, const unsigned char*,
                                           std::size_t&)
{
    return s;
}

#endif

} // namespace skiff::jconv

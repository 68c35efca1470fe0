// XCsvScan: classifies the bytes of delimited Shift-JIS text 64 at a time, quotes and all.
#include "CsvScan.h"

#include "XString.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t kAll = ~std::uint64_t(0);

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Bit i set when an odd number of quote bits lie at or below i.
std::uint64_t PrefixXor(std::uint64_t bits)
{
    for (int shift = 1; shift < 64; shift *= 2) {
        bits ^= bits << shift;
    }
    return bits;
}

} // namespace

// A delimiter or quote that is also a line end never acts as one: outside quotes the line ends
// first, and a quote that cannot open never toggles. A quote equal to the delimiter is always
// taken as the delimiter.
XCsvScan::XCsvScan(char chDelimiterByte, char chQuoteByte, bool bCareQuote)
    : chDelimiter(chDelimiterByte), chQuote(chQuoteByte),
      delimiterEnable(bCareQuote && !IsLineEnd(chDelimiterByte) ? kAll : 0),
      quoteEnable(bCareQuote && !IsLineEnd(chQuoteByte) && chQuoteByte != chDelimiterByte ? kAll
                                                                                          : 0),
      leadEnable(bCareQuote ? kAll : 0)
{}

XCsvScan::Block XCsvScan::Next(const unsigned char* bytes, int lnCount)
{
    XByteMasks masks;
    if (lnCount == 64) {
        masks = Masks(bytes, chDelimiter, chQuote);
    } else {
        // The padding is cut off below, whatever it matches.
        unsigned char block[64] = {};
        std::memcpy(block, bytes, static_cast<std::size_t>(lnCount));
        masks = Masks(block, chDelimiter, chQuote);
        const std::uint64_t valid = (std::uint64_t(1) << lnCount) - 1;
        masks.delimiter &= valid;
        masks.quote &= valid;
        masks.lineEnd &= valid;
        masks.lead &= valid;
        masks.nul &= valid;
    }
    const std::uint64_t trails = Trails(masks.lead & leadEnable);
    const std::uint64_t quotes = masks.quote & quoteEnable & ~trails;
    const std::uint64_t inside = PrefixXor(quotes) ^ insideCarry;
    insideCarry = (inside >> 63) != 0 ? kAll : 0;
    return Block{masks.delimiter & delimiterEnable & ~trails & ~inside, masks.lineEnd & ~inside,
                 masks.nul};
}

// Marks the byte after each odd run of lead-range bytes: a run starting on an even bit pairs
// from there, one starting on an odd bit from the other parity; adding the run starts to the
// runs carries each run's start past its end, which tells the two apart without a loop.
std::uint64_t XCsvScan::Trails(std::uint64_t lead)
{
    constexpr std::uint64_t kEvenBits = 0x5555555555555555ull;
    lead &= ~trailCarry;
    const std::uint64_t followsLead = (lead << 1) | trailCarry;
    const std::uint64_t oddStarts = lead & ~kEvenBits & ~followsLead;
    const std::uint64_t sum = oddStarts + lead;
    trailCarry = sum < oddStarts ? 1 : 0;
    const std::uint64_t invert = sum << 1;
    return (kEvenBits ^ invert) & followsLead;
}

XByteMasks XCsvScan::ScalarMasks(const unsigned char* bytes, char chDelimiterByte, char chQuoteByte)
{
    XByteMasks masks{0, 0, 0, 0, 0};
    for (int i = 0; i < 64; ++i) {
        const char c = static_cast<char>(bytes[i]);
        const std::uint64_t bit = std::uint64_t(1) << i;
        masks.delimiter |= c == chDelimiterByte ? bit : 0;
        masks.quote |= c == chQuoteByte ? bit : 0;
        masks.lineEnd |= IsLineEnd(c) ? bit : 0;
        masks.lead |= skiff::IsLeadByte(bytes[i]) ? bit : 0;
        masks.nul |= c == '\0' ? bit : 0;
    }
    return masks;
}

#if defined(__SSE2__)
XByteMasks XCsvScan::Masks(const unsigned char* bytes, char chDelimiterByte, char chQuoteByte)
{
    const __m128i delimiter = _mm_set1_epi8(chDelimiterByte);
    const __m128i quote = _mm_set1_epi8(chQuoteByte);
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    // Lead bytes 0x81-0x9F and 0xE0-0xFC: an unsigned byte x lies in [lo, lo + n] when
    // min(x - lo, n) == x - lo.
    const __m128i lead1 = _mm_set1_epi8(static_cast<char>(0x81));
    const __m128i span1 = _mm_set1_epi8(0x9F - 0x81);
    const __m128i lead2 = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i span2 = _mm_set1_epi8(0xFC - 0xE0);
    XByteMasks masks{0, 0, 0, 0, 0};
    for (int part = 0; part < 4; ++part) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
        const __m128i in1 = _mm_sub_epi8(v, lead1);
        const __m128i in2 = _mm_sub_epi8(v, lead2);
        const __m128i lead = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(in1, span1), in1),
                                          _mm_cmpeq_epi8(_mm_min_epu8(in2, span2), in2));
        const __m128i lineEnd = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
        const int shift = 16 * part;
        auto bits = [shift](__m128i m) {
            return std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(m))) << shift;
        };
        masks.delimiter |= bits(_mm_cmpeq_epi8(v, delimiter));
        masks.quote |= bits(_mm_cmpeq_epi8(v, quote));
        masks.lineEnd |= bits(lineEnd);
        masks.lead |= bits(lead);
        masks.nul |= bits(_mm_cmpeq_epi8(v, _mm_setzero_si128()));
    }
    return masks;
}
#else
XByteMasks XCsvScan::Masks(const unsigned char* bytes, char chDelimiterByte, char chQuoteByte)
{
    return ScalarMasks(bytes, chDelimiterByte, chQuoteByte);
}
#endif

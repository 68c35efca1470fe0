// Lookup in the JIS X 0208 <-> Unicode table and the JIS <-> Shift-JIS code arithmetic.
#pragma once

#include <array>
#include <cstdint>

namespace skiff {

// A Shift-JIS double-byte code packs lead and trail byte as (lead << 8) | trail; a JIS X 0208
// code packs its two bytes (0x21-0x7E each) the same way. 0 stands for "no code".

constexpr bool IsSjisLead(unsigned c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Trail bytes 0x40-0x7E and 0x80-0xFC as a bit set: random trail bytes make two range
// tests an unpredictable branch.
constexpr std::uint64_t kSjisTrailBits[4] = {0, 0x7FFFFFFFFFFFFFFFu, ~std::uint64_t{0},
                                             0x1FFFFFFFFFFFFFFFu};

constexpr bool IsSjisTrail(unsigned c)
{
    return ((kSjisTrailBits[(c >> 6) & 3] >> (c & 63)) & 1) != 0;
}

// Lead bytes 0xF0-0xFC lie beyond JIS X 0208's 94 rows: they would give JIS bytes above 0x7E.
// Flipping bit 5 makes 0x81-0x9F and 0xE0-0xEF one range.
constexpr bool HasJisCode(unsigned lead, unsigned trail)
{
    return ((lead ^ 0x20) - 0xA1) < 0x2F && IsSjisTrail(trail);
}

// JIS code of a Shift-JIS code that HasJisCode.
constexpr unsigned SjisToJis(unsigned sjis)
{
    const unsigned lead = sjis >> 8;
    const unsigned trail = sjis & 0xFF;
    const unsigned first = 2 * (lead - (lead <= 0x9F ? 0x70 : 0xB0)) - (trail < 0x9F ? 1 : 0);
    const unsigned second = trail < 0x7F   ? trail - 0x1F
                            : trail < 0x9F ? trail - 0x20
                                           : trail - 0x7E;
    return (first << 8) | second;
}

// Shift-JIS code of a JIS code whose bytes both lie in 0x21-0x7E.
constexpr unsigned JisToSjis(unsigned jis)
{
    const unsigned first = jis >> 8;
    const unsigned second = jis & 0xFF;
    const unsigned lead = first <= 0x5E ? (first - 0x21) / 2 + 0x81 : (first - 0x5F) / 2 + 0xE0;
    const unsigned trail = (first & 1) ? second + (second <= 0x5F ? 0x1F : 0x20) : second + 0x7E;
    return (lead << 8) | trail;
}

// The same two conversions by table, free of data-dependent branches, for the converters'
// inner loops: SjisToJis(sjis) == (kSjisLeadPart[lead] + kSjisTrailPart[trail]) & 0xFFFF,
// JisToSjis(jis) == (kJisLead[first] << 8) | kJisTrail[((first & 1) << 7) | second].
extern const std::array<std::uint16_t, 0x100> kSjisLeadPart;
extern const std::array<std::uint16_t, 0x100> kSjisTrailPart;
extern const std::array<std::uint8_t, 0x80> kJisLead;
extern const std::array<std::uint8_t, 0x100> kJisTrail;

inline unsigned FastSjisToJis(unsigned sjis)
{
    return (kSjisLeadPart[sjis >> 8] + kSjisTrailPart[sjis & 0xFF]) & 0xFFFF;
}

inline unsigned FastJisToSjis(unsigned jis)
{
    const unsigned first = jis >> 8;
    return (unsigned{kJisLead[first]} << 8) | kJisTrail[((first & 1) << 7) | (jis & 0x7F)];
}

// Unicode values of the Shift-JIS codes that HasJisCode, by lead-byte row (0x81-0x9F, then
// 0xE0-0xEF, which alone have bit 6 set) and trail byte; 0 where the table holds no character.
constexpr unsigned kSjisLeadRows = 0x1F + 0x10;
extern const std::array<std::uint16_t, kSjisLeadRows * 0x100> kSjisToUnicode;

inline std::uint16_t SjisToUnicode(unsigned sjis)
{
    const unsigned lead = sjis >> 8;
    return kSjisToUnicode[((lead - 0x81 - (lead & 0x40)) << 8) | (sjis & 0xFF)];
}

// Shift-JIS codes of the JIS X 0208 characters by (first << 7) | second of their JIS code,
// 0 where the standard assigns no character: a JIS or EUC-JP reader's one lookup per pair.
extern const std::array<std::uint16_t, 0x4000> kJisToAssignedSjis;

inline unsigned JisToAssignedSjis(unsigned jis)
{
    return kJisToAssignedSjis[((jis >> 1) & 0x3F80) | (jis & 0x7F)];
}

// UTF-8 bytes of the Shift-JIS codes that HasJisCode, indexed like kSjisToUnicode: the
// bytes in order from the lowest, their count in the top byte; 0 where there is no character.
extern const std::array<std::uint32_t, kSjisLeadRows * 0x100> kSjisToUtf8;

inline std::uint32_t SjisToUtf8(unsigned sjis)
{
    const unsigned lead = sjis >> 8;
    return kSjisToUtf8[((lead - 0x81 - (lead & 0x40)) << 8) | (sjis & 0xFF)];
}

// Shift-JIS codes of the 256-character Unicode pages that carry most Japanese text (kana and
// punctuation U+30xx, kanji U+4E00-U+9FFF, full-width forms U+FFxx), by the page's slot; the
// other pages (kColdPage) are searched.
constexpr std::uint8_t kColdPage = 0xFF;
constexpr unsigned kHotPages = 1 + (0xA0 - 0x4E) + 1;
extern const std::array<std::uint8_t, 0x100> kUnicodePageSlot;
extern const std::array<std::uint16_t, kHotPages * 0x100> kUnicodeToSjis;

// Shift-JIS code of a Unicode value by binary search in the table; 0 when it has none.
std::uint16_t LookupSjisCode(std::uint16_t unicode);

// Shift-JIS code of a Unicode value up to U+FFFF; 0 when it has none.
inline std::uint16_t UnicodeToSjis(unsigned unicode)
{
    const unsigned slot = kUnicodePageSlot[unicode >> 8];
    return slot != kColdPage ? kUnicodeToSjis[(slot << 8) | (unicode & 0xFF)]
                             : LookupSjisCode(static_cast<std::uint16_t>(unicode));
}

} // namespace skiff

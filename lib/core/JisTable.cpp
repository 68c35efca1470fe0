// The JIS X 0208 <-> Unicode table's lookup: binary search and the compile-time direct indexes.
#include "JisTable.h"

#include "JisTableData.h"

namespace skiff {
namespace {

using Index16 = std::array<std::uint16_t, 0x100>;
using Index8 = std::array<std::uint8_t, 0x100>;

constexpr Index16 BuildSjisLeadPart()
{
    Index16 part{};
    for (unsigned lead = 0x81; lead < 0xF0; ++lead) {
        if (IsSjisLead(lead)) {
            part[lead] = static_cast<std::uint16_t>(SjisToJis((lead << 8) | 0x9F) & 0xFF00);
        }
    }
    return part;
}

// The trail byte's share: its JIS second byte, less one row below 0x9F.
constexpr Index16 BuildSjisTrailPart()
{
    Index16 part{};
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        part[trail] = static_cast<std::uint16_t>(SjisToJis(0x8100 | trail) + 0x10000 - 0x2200);
    }
    return part;
}

constexpr std::array<std::uint8_t, 0x80> BuildJisLead()
{
    std::array<std::uint8_t, 0x80> lead{};
    for (unsigned first = 0x21; first <= 0x7E; ++first) {
        lead[first] = static_cast<std::uint8_t>(JisToSjis((first << 8) | 0x21) >> 8);
    }
    return lead;
}

// By the first byte's parity (bit 7 of the index) and the second byte.
constexpr Index8 BuildJisTrail()
{
    Index8 trail{};
    for (unsigned second = 0x21; second <= 0x7E; ++second) {
        trail[second] = static_cast<std::uint8_t>(JisToSjis(0x2200 | second) & 0xFF);
        trail[0x80 | second] = static_cast<std::uint8_t>(JisToSjis(0x2100 | second) & 0xFF);
    }
    return trail;
}

constexpr std::array<std::uint16_t, kSjisLeadRows * 0x100> BuildSjisToUnicode()
{
    std::array<std::uint16_t, kSjisLeadRows * 0x100> index{};
    for (int i = 0; i < kJisTableSize - 1; ++i) {
        const unsigned lead = kSjisKeys[i] >> 8;
        index[((lead - 0x81 - (lead & 0x40)) << 8) | (kSjisKeys[i] & 0xFF)] = kSjisValues[i];
    }
    return index;
}

constexpr std::array<std::uint16_t, 0x4000>
BuildJisToAssignedSjis(const std::array<std::uint16_t, kSjisLeadRows * 0x100>& toUnicode)
{
    std::array<std::uint16_t, 0x4000> index{};
    for (unsigned first = 0x21; first <= 0x7E; ++first) {
        for (unsigned second = 0x21; second <= 0x7E; ++second) {
            const unsigned sjis = JisToSjis((first << 8) | second);
            const unsigned lead = sjis >> 8;
            if (toUnicode[((lead - 0x81 - (lead & 0x40)) << 8) | (sjis & 0xFF)] != 0) {
                index[(first << 7) | second] = static_cast<std::uint16_t>(sjis);
            }
        }
    }
    return index;
}

constexpr std::array<std::uint32_t, kSjisLeadRows * 0x100>
BuildSjisToUtf8(const std::array<std::uint16_t, kSjisLeadRows * 0x100>& toUnicode)
{
    std::array<std::uint32_t, kSjisLeadRows * 0x100> index{};
    for (std::size_t i = 0; i < index.size(); ++i) {
        const std::uint32_t unicode = toUnicode[i];
        if (unicode >= 0x800) {
            index[i] = (3u << 24) | ((0x80 | (unicode & 0x3F)) << 16) |
                       ((0x80 | ((unicode >> 6) & 0x3F)) << 8) | (0xE0 | (unicode >> 12));
        } else if (unicode >= 0x80) {
            index[i] = (2u << 24) | ((0x80 | (unicode & 0x3F)) << 8) | (0xC0 | (unicode >> 6));
        } else if (unicode != 0) {
            index[i] = (1u << 24) | unicode;
        }
    }
    return index;
}

constexpr Index8 BuildUnicodePageSlot()
{
    Index8 slot{};
    for (unsigned page = 0; page < 0x100; ++page) {
        slot[page] = page == 0x30                  ? 0
                     : page >= 0x4E && page < 0xA0 ? static_cast<std::uint8_t>(page - 0x4D)
                     : page == 0xFF                ? static_cast<std::uint8_t>(kHotPages - 1)
                                                   : kColdPage;
    }
    return slot;
}

constexpr auto kBuiltUnicodePageSlot = BuildUnicodePageSlot();

constexpr std::array<std::uint16_t, kHotPages * 0x100> BuildUnicodeToSjis()
{
    std::array<std::uint16_t, kHotPages * 0x100> index{};
    for (int i = 0; i < kJisTableSize - 1; ++i) {
        const unsigned slot = kBuiltUnicodePageSlot[kUnicodeKeys[i] >> 8];
        if (slot != kColdPage) {
            index[(slot << 8) | (kUnicodeKeys[i] & 0xFF)] = kUnicodeValues[i];
        }
    }
    return index;
}

// Evaluated by the compiler: a failure to do so is a build error, never a start-up cost.
constexpr auto kBuiltSjisLeadPart = BuildSjisLeadPart();
constexpr auto kBuiltSjisTrailPart = BuildSjisTrailPart();
constexpr auto kBuiltJisLead = BuildJisLead();
constexpr auto kBuiltJisTrail = BuildJisTrail();
constexpr auto kBuiltSjisToUnicode = BuildSjisToUnicode();
constexpr auto kBuiltUnicodeToSjis = BuildUnicodeToSjis();
constexpr auto kBuiltJisToAssignedSjis = BuildJisToAssignedSjis(kBuiltSjisToUnicode);
constexpr auto kBuiltSjisToUtf8 = BuildSjisToUtf8(kBuiltSjisToUnicode);

} // namespace

const Index16 kSjisLeadPart = kBuiltSjisLeadPart;
const Index16 kSjisTrailPart = kBuiltSjisTrailPart;
const std::array<std::uint8_t, 0x80> kJisLead = kBuiltJisLead;
const Index8 kJisTrail = kBuiltJisTrail;
const std::array<std::uint16_t, kSjisLeadRows* 0x100> kSjisToUnicode = kBuiltSjisToUnicode;
const std::array<std::uint16_t, 0x4000> kJisToAssignedSjis = kBuiltJisToAssignedSjis;
const std::array<std::uint32_t, kSjisLeadRows* 0x100> kSjisToUtf8 = kBuiltSjisToUtf8;
const Index8 kUnicodePageSlot = kBuiltUnicodePageSlot;
const std::array<std::uint16_t, kHotPages* 0x100> kUnicodeToSjis = kBuiltUnicodeToSjis;

std::uint16_t LookupSjisCode(std::uint16_t unicode)
{
    if (unicode < kUnicodeKeys[0] || unicode > kUnicodeKeys[kJisTableSize - 1]) {
        return 0;
    }
    int low = 0;
    int high = kJisTableSize - 1;
    while (low <= high) {
        const int probe = (low + high) / 2;
        if (kUnicodeKeys[probe] == unicode) {
            return kUnicodeValues[probe];
        }
        if (kUnicodeKeys[probe] < unicode) {
            low = probe + 1;
        } else {
            high = probe - 1;
        }
    }
    return 0;
}

} // namespace skiff

// The detector's scans: a byte loop per candidate set with per-code weights learnt from Skiff.
#include "clsCharsetScan.h"

#include "clsSkiff.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using Bytes = clsCharsetScan::Bytes;
using Weights = std::vector<unsigned char>;
using Converter = int (*)(const char*, char*);

constexpr quint64 kOnes = 0x0101010101010101u;
constexpr quint64 kHighBits = 0x8080808080808080u;

constexpr bool InRange(unsigned c, unsigned low, unsigned high)
{
    return c >= low && c <= high;
}

quint64 Word(Bytes s)
{
    quint64 word;
    std::memcpy(&word, s, sizeof word);
    return word;
}

// Past the seven-bit bytes at s, eight at a time.
Bytes SkipAscii(Bytes s, Bytes end)
{
    while (end - s >= 8 && (Word(s) & kHighBits) == 0)
        s += 8;
    while (s < end && *s < 0x80)
        ++s;
    return s;
}

inline bool Cut(clsScan& scan, qint64 nCap)
{
    scan.bCut = nCap >= 0 && scan.nBad > nCap;
    return scan.bCut;
}

// Two-byte codes of a converted text outside the rows JIS X 0208 fills (1-8 and 16-84), such
// as the vendor rows of Shift-JIS: they decode, yet other programs may not read them back.
int OutsideRows(bool bEuc, Bytes s, Bytes end)
{
    int count = 0;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80 || (!bEuc && InRange(c, 0xA1, 0xDF))) {
            ++s;
            continue;
        }
        if (bEuc) {
            if (c != 0x8E)
                count += InRange(c, 0xA9, 0xAF) || c >= 0xF5 ? 1 : 0;
        } else {
            const unsigned trail = s + 1 < end ? s[1] : 0;
            count += InRange(c, 0x85, 0x87) || (c == 0x88 && trail < 0x9F) || c >= 0xEB ? 1 : 0;
        }
        s += 2;
    }
    return count;
}

// What one character costs: the substitutions Skiff's converter makes for it and the vendor
// rows it lands in.
unsigned char Weight(Converter convert, bool bEucOut, const QByteArray& character)
{
    char out[32];
    const int before = skiff::GetConvErrCnt();
    const int written = convert(character.constData(), out);
    const int errors = skiff::GetConvErrCnt() - before;
    const auto* bytes = reinterpret_cast<Bytes>(out);
    return static_cast<unsigned char>(errors +
                                      OutsideRows(bEucOut, bytes, bytes + std::max(written, 0)));
}

QByteArray Chars(std::initializer_list<unsigned> bytes)
{
    QByteArray text;
    for (const unsigned c : bytes)
        text += static_cast<char>(c);
    return text;
}

constexpr bool IsSjisLead(unsigned c)
{
    return InRange(c, 0x81, 0x9F) || InRange(c, 0xE0, 0xFC);
}

constexpr bool IsSjisTrail(unsigned c)
{
    return InRange(c, 0x40, 0x7E) || InRange(c, 0x80, 0xFC);
}

constexpr bool IsEucByte(unsigned c)
{
    return InRange(c, 0xA1, 0xFE);
}

constexpr bool IsJisByte(unsigned c)
{
    return InRange(c, 0x21, 0x7E);
}

// Shift-JIS pairs by ((lead & 0x7F) << 8) | trail, as read into EUC-JP.
const Weights& SjisPairs()
{
    static const Weights weights = [] {
        const Converter convert = [](const char* src, char* dst) {
            return skiff::SJIStoEUC(src, dst);
        };
        Weights table(0x8000);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFC && IsSjisLead(lead); ++trail) {
                if (IsSjisTrail(trail))
                    table[((lead & 0x7F) << 8) | trail] =
                        Weight(convert, true, Chars({lead, trail}));
            }
        }
        return table;
    }();
    return weights;
}

// EUC-JP pairs by ((first & 0x7F) << 7) | (second & 0x7F), as read into Shift-JIS; the last
// entry is a JIS X 0212 character's three bytes.
const Weights& EucPairs()
{
    static const Weights weights = [] {
        const Converter convert = [](const char* src, char* dst) {
            return skiff::EUCtoSJIS(src, dst);
        };
        Weights table(0x4001);
        for (unsigned first = 0xA1; first <= 0xFE; ++first) {
            for (unsigned second = 0xA1; second <= 0xFE; ++second)
                table[((first & 0x7F) << 7) | (second & 0x7F)] =
                    Weight(convert, false, Chars({first, second}));
        }
        table[0x4000] = Weight(convert, false, Chars({0x8F, 0xA1, 0xA1}));
        return table;
    }();
    return weights;
}

// JIS pairs in two-byte mode by (first << 7) | second, as read into EUC-JP.
const Weights& JisPairs()
{
    static const Weights weights = [] {
        const Converter convert = [](const char* src, char* dst) {
            return skiff::JIStoEUC(src, dst);
        };
        Weights table(0x4000);
        for (unsigned first = 0x21; first <= 0x7E; ++first) {
            for (unsigned second = 0x21; second <= 0x7E; ++second)
                table[(first << 7) | second] =
                    Weight(convert, true, Chars({0x1B, '$', 'B', first, second}));
        }
        return table;
    }();
    return weights;
}

// Unicode characters up to U+FFFF as read into EUC-JP; the last entry is a character beyond.
const Weights& Utf8Characters()
{
    static const Weights weights = [] {
        const Converter convert = [](const char* src, char* dst) {
            return skiff::UNICODEtoEUC(src, dst);
        };
        Weights table(0x10001);
        for (unsigned code = 0x80; code <= 0xFFFF; ++code) {
            table[code] =
                Weight(convert, true,
                       code < 0x800 ? Chars({0xC0 | (code >> 6), 0x80 | (code & 0x3F)})
                                    : Chars({0xE0 | (code >> 12), 0x80 | ((code >> 6) & 0x3F),
                                             0x80 | (code & 0x3F)}));
        }
        table[0x10000] = Weight(convert, true, Chars({0xF0, 0x9F, 0x98, 0x80}));
        return table;
    }();
    return weights;
}

// Length of a well-formed UTF-8 sequence at s, or 0.
int Utf8Length(Bytes s, Bytes end)
{
    const unsigned c = *s;
    const auto follows = [&](int i) { return s + i < end && (s[i] & 0xC0) == 0x80; };
    if (InRange(c, 0xC2, 0xDF))
        return follows(1) ? 2 : 0;
    if (InRange(c, 0xE0, 0xEF)) {
        if (!follows(1) || !follows(2))
            return 0;
        const unsigned wide = ((c & 0x0F) << 12) | ((s[1] & 0x3Fu) << 6);
        return wide >= 0x800 ? 3 : 0;
    }
    if (InRange(c, 0xF0, 0xF4))
        return follows(1) && follows(2) && follows(3) && !(c == 0xF0 && s[1] < 0x90) ? 4 : 0;
    return 0;
}

// Skiff's JIS reader over one NUL-terminated text of the converter's input [s, stop): the
// shift state starts afresh with each, and a byte past the text reads as the NUL.
qint64 JisOutside(Bytes s, Bytes stop, const Weights& pairs)
{
    qint64 outside = 0;
    bool kanji = false;
    bool kana = false;
    const auto at = [stop](Bytes p) { return p < stop ? unsigned{*p} : 0u; };
    while (s < stop) {
        const unsigned c = *s;
        if (c == 0) {
            kanji = kana = false;
            ++s;
            continue;
        }
        if (c == 0x1B && (at(s + 1) == '$' || at(s + 1) == '(')) {
            if (at(s + 1) == '$' && at(s + 2) == 'B') {
                kanji = true;
                kana = false;
                s += 3;
                continue;
            }
            if (at(s + 1) == '(' && (at(s + 2) == 'B' || at(s + 2) == 'I')) {
                kana = at(s + 2) == 'I';
                kanji = kanji && kana;
                s += 3;
                continue;
            }
        }
        if (kana && InRange(c, 0x21, 0x5F)) {
            ++s;
        } else if (kanji && IsJisByte(c)) {
            const unsigned next = at(s + 1);
            // A byte without its partner is one substitution.
            outside += IsJisByte(next) ? pairs[(c << 7) | next] : 1;
            s += IsJisByte(next) ? 2 : 1;
        } else {
            // Bytes above 0x7F are the marks; the rest is ASCII in any mode.
            ++s;
        }
    }
    return outside;
}

} // namespace

clsScan clsCharsetScan::Sjis(Bytes s, Bytes end, qint64 nCap)
{
    const Weights& pairs = SjisPairs();
    clsScan scan;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80) {
            s = SkipAscii(s + 1, end);
        } else if (InRange(c, 0xA1, 0xDF)) {
            ++s;
        } else if (IsSjisLead(c) && s + 1 < end && IsSjisTrail(s[1])) {
            scan.nOutside += pairs[((c & 0x7F) << 8) | s[1]];
            s += 2;
        } else {
            ++scan.nBad;
            ++scan.nMarks;
            ++s;
            if (Cut(scan, nCap))
                return scan;
        }
    }
    return scan;
}

// A JIS file is seven-bit: every byte above 0x7F is foreign to it.
clsScan clsCharsetScan::Jis(Bytes s, Bytes end, qint64 nCap)
{
    clsScan scan;
    for (Bytes p = SkipAscii(s, end); p < end; p = SkipAscii(p + 1, end)) {
        ++scan.nBad;
        ++scan.nMarks;
        if (Cut(scan, nCap))
            return scan;
    }
    // The converter is fed pieces of about a megabyte ending at a line end, each a text of
    // its own: the shift state does not pass from one to the next.
    constexpr qint64 kPiece = 1 << 20;
    const Weights& pairs = JisPairs();
    while (s < end) {
        Bytes stop = s + std::min(kPiece, static_cast<qint64>(end - s));
        if (stop < end) {
            const auto* newline =
                static_cast<Bytes>(std::memchr(stop, '\n', static_cast<size_t>(end - stop)));
            stop = newline != nullptr ? newline + 1 : end;
        }
        scan.nOutside += JisOutside(s, stop, pairs);
        s = stop;
    }
    return scan;
}

clsScan clsCharsetScan::Euc(Bytes s, Bytes end, qint64 nCap)
{
    const Weights& pairs = EucPairs();
    clsScan scan;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80) {
            s = SkipAscii(s + 1, end);
            continue;
        }
        const unsigned next = s + 1 < end ? s[1] : 0;
        if (IsEucByte(c) && IsEucByte(next)) {
            scan.nOutside += pairs[((c & 0x7F) << 7) | (next & 0x7F)];
            s += 2;
        } else if (c == 0x8E && InRange(next, 0xA1, 0xDF)) {
            s += 2;
        } else if (c == 0x8F && IsEucByte(next) && s + 2 < end && IsEucByte(s[2])) {
            scan.nOutside += pairs[0x4000];
            s += 3;
        } else {
            ++scan.nBad;
            ++scan.nMarks;
            ++s;
            if (Cut(scan, nCap))
                return scan;
        }
    }
    return scan;
}

clsScan clsCharsetScan::Utf8(Bytes s, Bytes end, qint64 nCap)
{
    const Weights& characters = Utf8Characters();
    clsScan scan;
    while (s < end) {
        const unsigned c = *s;
        if (c < 0x80) {
            // U+007E and U+007F have no JIS X 0208 code: the converter substitutes them.
            scan.nOutside += c >= 0x7E ? 1 : 0;
            ++s;
            for (; end - s >= 8 && (Word(s) & kHighBits) == 0; s += 8) {
                const quint64 tildes = (Word(s) + kOnes * 2) & kHighBits;
                scan.nOutside += static_cast<qint64>(((tildes >> 7) * kOnes) >> 56);
            }
            continue;
        }
        const int length = Utf8Length(s, end);
        if (length == 2) {
            scan.nOutside += characters[((c & 0x1F) << 6) | (s[1] & 0x3Fu)];
        } else if (length == 3) {
            scan.nOutside +=
                characters[((c & 0x0F) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu)];
        } else if (length == 4) {
            // The converter's substitute for it also swallows continuation bytes behind it,
            // which the scan marks as strays: that mark is then the same substitution.
            const bool swallows = s + 4 < end && (s[4] & 0xC0) == 0x80;
            scan.nOutside += swallows ? 0 : characters[0x10000];
        } else {
            // Skiff marks a stray byte and the continuation bytes behind it once.
            ++scan.nMarks;
            ++scan.nBad;
            ++s;
            for (; s < end && (*s & 0xC0) == 0x80; ++s)
                ++scan.nBad;
            if (Cut(scan, nCap))
                return scan;
            continue;
        }
        s += length;
    }
    return scan;
}

clsScan clsCharsetScan::Scan(int lnCharSet, Bytes s, Bytes end, qint64 nCap)
{
    switch (lnCharSet) {
    case 1:
        return Sjis(s, end, nCap);
    case 2:
        return Jis(s, end, nCap);
    case 3:
        return Euc(s, end, nCap);
    default:
        return Utf8(s, end, nCap);
    }
}

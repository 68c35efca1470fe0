// Conversion between Shift-JIS, JIS, EUC-JP and UTF-8: one decoder per source, one encoder per
// target, meeting in the Shift-JIS code so that every pair converts in a single pass.
#include "JConv.h"

#include "JConvBlocks.h"
#include "JConvCounters.h"
#include "JConvEncoders.h"
#include "JConvPairRuns.h"
#include "JConvRuns.h"

#include <cstdint>
#include <type_traits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace skiff {
namespace {

using namespace jconv;

// Every decoder works on [s, end), end being the text's NUL, and never reads past the NUL: a
// follower byte is examined only after the bytes before it proved not to be the NUL.

template <class Encoder>
Encoder DecodeSjis(const unsigned char* s, const unsigned char* end, Encoder out)
{
    while (s < end) {
        if constexpr (std::is_same_v<Encoder, Utf8Counter>) {
            s = SjisToUtf8Blocks(s, end, out.size);
            if (s >= end) {
                break;
            }
        }
        const unsigned c = *s;
        if (HasJisCode(c, s[1])) {
            if constexpr (std::is_same_v<Encoder, Utf8Encoder<WriteSink>>) {
                const unsigned char* run = SjisPairsToUtf8(s, end, out.sink.next);
                if (run != s) {
                    s = run;
                    continue;
                }
            }
            out.Kanji((c << 8) | s[1]);
            s += 2;
        } else if (c < 0x80) {
            const unsigned char* run = s;
            s = AsciiRunEnd(s, end);
            out.AsciiRun(run, static_cast<std::size_t>(s - run));
        } else if (c >= 0xA1 && c <= 0xDF) {
            out.Kana(c);
            ++s;
        } else {
            // Beyond JIS X 0208 one mark stands for the pair; a follower that cannot be a
            // trail byte starts the next character, as does the byte after a stray one.
            out.Geta();
            s += IsSjisLead(c) && IsSjisTrail(s[1]) ? 2 : 1;
        }
    }
    return out;
}

constexpr bool IsJisByte(unsigned c)
{
    return c >= 0x21 && c <= 0x7E;
}

// A JIS X 0208 code read from a JIS or EUC-JP text: a code the standard leaves unassigned is
// not text, so it is marked and counted where it is read, whatever the target set.
template <class Encoder> inline void EmitJisCode(unsigned jis, Encoder& out)
{
    if constexpr (!Encoder::kNeedsCodes) {
        out.Kanji(jis);
        return;
    }
    const unsigned sjis = JisToAssignedSjis(jis);
    if (sjis != 0) {
        out.Kanji(sjis);
    } else {
        out.Geta();
    }
}

template <class Encoder>
Encoder DecodeJis(const unsigned char* s, const unsigned char* end, Encoder out)
{
    bool kanji = false;
    bool kana = false;
    while (s < end) {
        if constexpr (Encoder::kCountsBlocks) {
            s = JisToDoubleByteBlocks(s, end, out.size, kanji, kana);
            if (s >= end) {
                break;
            }
        }
        const unsigned c = *s;
        if (c == kEsc && (s[1] == '$' || s[1] == '(')) {
            if (s[1] == '$' && s[2] == 'B') {
                kanji = true;
                kana = false;
                s += 3;
                continue;
            }
            if (s[1] == '(' && (s[2] == 'B' || s[2] == 'I')) {
                kana = s[2] == 'I';
                kanji = kanji && kana;
                s += 3;
                continue;
            }
        }
        if (kana && c >= 0x21 && c <= 0x5F) {
            out.Kana(c + 0x80);
            ++s;
        } else if (kanji && IsJisByte(c)) {
            if constexpr (Encoder::kCountsRuns) {
                if (!kana) {
                    const unsigned char* run = RangeRunEnd<0x21, 0x7E>(s, end);
                    out.KanjiRun(static_cast<std::size_t>(run - s));
                    s = run;
                    continue;
                }
            }
            if constexpr (std::is_same_v<Encoder, SjisEncoder<WriteSink>>) {
                if (!kana) {
                    const unsigned char* run = JisPairsToSjis<0x21, 0x7E>(s, end, out.sink.next);
                    if (run != s) {
                        s = run;
                        continue;
                    }
                }
            }
            if (IsJisByte(s[1])) {
                EmitJisCode((c << 8) | s[1], out);
                s += 2;
            } else {
                out.Geta();
                ++s;
            }
        } else if (c >= 0x80) {
            // JIS is a 7-bit code.
            out.Geta();
            ++s;
        } else if (kanji || kana || c == kEsc) {
            // Controls and space between two-byte characters, or an escape byte of no shift.
            out.Ascii(c);
            ++s;
        } else {
            const unsigned char* run = s;
            s = JisAsciiRunEnd(s, end);
            out.AsciiRun(run, static_cast<std::size_t>(s - run));
        }
    }
    return out;
}

constexpr bool IsEucByte(unsigned c)
{
    return c >= 0xA1 && c <= 0xFE;
}

template <class Encoder>
Encoder DecodeEuc(const unsigned char* s, const unsigned char* end, Encoder out)
{
    while (s < end) {
        if constexpr (Encoder::kCountsBlocks) {
            s = EucToSjisBlocks(s, end, out.size);
            if (s >= end) {
                break;
            }
        }
        const unsigned c = *s;
        if (c < 0x80) {
            const unsigned char* run = s;
            s = AsciiRunEnd(s, end);
            out.AsciiRun(run, static_cast<std::size_t>(s - run));
            continue;
        }
        if constexpr (Encoder::kCountsRuns) {
            if (IsEucByte(c)) {
                const unsigned char* run = RangeRunEnd<0xA1, 0xFE>(s, end);
                out.KanjiRun(static_cast<std::size_t>(run - s));
                s = run;
                continue;
            }
        }
        if constexpr (std::is_same_v<Encoder, SjisEncoder<WriteSink>>) {
            const unsigned char* run = JisPairsToSjis<0xA1, 0xFE>(s, end, out.sink.next);
            if (run != s) {
                s = run;
                continue;
            }
        }
        const unsigned follower = s[1];
        if (IsEucByte(c) && IsEucByte(follower)) {
            EmitJisCode(((c << 8) | follower) & 0x7F7F, out);
            s += 2;
        } else if (c == 0x8E && follower >= 0xA1 && follower <= 0xDF) {
            out.Kana(follower);
            s += 2;
        } else if (c == 0x8F && IsEucByte(follower) && IsEucByte(s[2])) {
            // A JIS X 0212 character: one mark for its three bytes.
            out.Geta();
            s += 3;
        } else {
            out.Geta();
            ++s;
        }
    }
    return out;
}

// The Shift-JIS event for a Unicode code point above U+007F (Unicode's Shift-JIS mapping).
// Everything but a JIS X 0208 character is rare and stays out of line, hence the encoder
// travels by value: an address taken would keep the output position out of registers.
template <class Encoder> Encoder EmitRare(unsigned unicode, Encoder out)
{
    if (unicode - 0xFF61 <= 0xFF9F - 0xFF61) {
        out.Kana(unicode - 0xFEC0);
    } else if (unicode == 0xA5) {
        out.Ascii(0x5C);
    } else if (unicode == 0x203E) {
        out.Ascii(0x7E);
    } else {
        out.Geta();
    }
    return out;
}

template <class Encoder> inline void EmitUnicode(unsigned unicode, Encoder& out)
{
    // A counter needs the table only where a character may turn into a single byte.
    if constexpr (!Encoder::kNeedsCodes) {
        if (unicode - 0xFF61 > 0xFF9F - 0xFF61 && unicode != 0xA5 && unicode != 0x203E) {
            out.Kanji(unicode);
            return;
        }
    }
    const unsigned sjis = UnicodeToSjis(unicode);
    if (sjis != 0) {
        out.Kanji(sjis);
    } else {
        out = EmitRare(unicode, out);
    }
}

constexpr bool IsContinuation(unsigned c)
{
    return (c & 0xC0) == 0x80;
}

template <class Encoder>
Encoder DecodeUtf8(const unsigned char* s, const unsigned char* end, Encoder out)
{
    while (s < end) {
        if constexpr (Encoder::kCountsBlocks) {
            s = Utf8ToDoubleByteBlocks<Encoder::kKanaBytes>(s, end, out.size);
            if (s >= end) {
                break;
            }
            if (end - s >= 16) {
                std::size_t count = 0;
                if (const std::size_t whole = CommonUtf8Block(s, count)) {
                    out.Counted(count);
                    s += whole;
                    continue;
                }
            }
        }
        const unsigned c = *s;
        if constexpr (std::is_same_v<Encoder, SjisEncoder<WriteSink>>) {
            if (c >= 0xE1) {
                const unsigned char* run = Utf8TriplesToSjis(s, end, out.sink.next);
                if (run != s) {
                    s = run;
                    continue;
                }
            }
        }
        if ((c & 0xF0) == 0xE0 && end - s >= 3) {
            const unsigned wide = ((c & 0x0F) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
            // Both followers continuation bytes, and no overlong form.
            if ((((s[1] ^ 0x80u) | (s[2] ^ 0x80u)) & 0xC0) == 0 && wide >= 0x800) {
                EmitUnicode(wide, out);
                s += 3;
                continue;
            }
        }
        if (c < 0x7E) {
            const unsigned char* run = s;
            s = Utf8AsciiRunEnd(s, end);
            out.AsciiRun(run, static_cast<std::size_t>(s - run));
        } else if (c < 0x80) {
            // U+007E and U+007F have no Shift-JIS code.
            out.Geta();
            ++s;
        } else if (c >= 0xC2 && c <= 0xDF && IsContinuation(s[1])) {
            EmitUnicode(((c & 0x1F) << 6) | (s[1] & 0x3Fu), out);
            s += 2;
        } else {
            // Overlong, truncated, four-byte or stray: one mark, then on to the next byte
            // that can start a character.
            out.Geta();
            ++s;
            while (s < end && IsContinuation(*s)) {
                ++s;
            }
        }
    }
    return out;
}

template <class Encoder>
Encoder Decode(Charset from, const unsigned char* s, const unsigned char* end, Encoder out)
{
    switch (from) {
    case Charset::Sjis:
        return DecodeSjis(s, end, out);
    case Charset::Jis:
        return DecodeJis(s, end, out);
    case Charset::Euc:
        return DecodeEuc(s, end, out);
    case Charset::Utf8:
        return DecodeUtf8(s, end, out);
    }
    return out;
}

template <class Encoder> auto Finish(Encoder out, int& errors)
{
    out.End();
    errors += out.errors;
    return out.sink;
}

// The sink after the whole conversion. Encoder and sink travel by value so that the
// compiler keeps the output position in a register: a byte store could otherwise alias it.
template <class Sink>
Sink Run(Charset from, Charset to, const unsigned char* s, const unsigned char* end, Sink sink,
         int& errors)
{
    switch (to) {
    case Charset::Sjis:
        return Finish(Decode(from, s, end, SjisEncoder<Sink>{sink}), errors);
    case Charset::Jis:
        return Finish(Decode(from, s, end, JisEncoder<Sink>{sink}), errors);
    case Charset::Euc:
        return Finish(Decode(from, s, end, EucEncoder<Sink>{sink}), errors);
    case Charset::Utf8:
        return Finish(Decode(from, s, end, Utf8Encoder<Sink>{sink}), errors);
    }
    return sink;
}

template <class Counter>
std::size_t Count(Charset from, const unsigned char* s, const unsigned char* end)
{
    Counter counter = Decode(from, s, end, Counter{});
    counter.End();
    return counter.size;
}

const unsigned char* Bytes(const char* src)
{
    return reinterpret_cast<const unsigned char*>(src);
}

} // namespace

std::size_t ConvertedLength(Charset from, Charset to, const char* src)
{
    return ConvertedLength(from, to, src, std::strlen(src));
}

std::size_t ConvertedLength(Charset from, Charset to, const char* src, std::size_t length)
{
    const unsigned char* end = Bytes(src) + length;
    switch (to) {
    case Charset::Sjis:
        return Count<SjisCounter>(from, Bytes(src), end);
    case Charset::Jis:
        return Count<JisCounter>(from, Bytes(src), end);
    case Charset::Euc:
        return Count<EucCounter>(from, Bytes(src), end);
    case Charset::Utf8:
        return Count<Utf8Counter>(from, Bytes(src), end);
    }
    return 0;
}

std::size_t Convert(Charset from, Charset to, const char* src, char* dst, int& errors)
{
    const std::size_t written = Convert(from, to, src, std::strlen(src), dst, errors);
    dst[written] = 0;
    return written;
}

std::size_t Convert(Charset from, Charset to, const char* src, std::size_t length, char* dst,
                    int& errors)
{
    auto* start = reinterpret_cast<unsigned char*>(dst);
    const unsigned char* last =
        Run(from, to, Bytes(src), Bytes(src) + length, WriteSink{start}, errors).next;
    return static_cast<std::size_t>(last - start);
}

} // namespace skiff

// The length side of the code conversion: encoders that count what the writing ones would write.
#pragma once

#include "JConvEncoders.h"
#include "JConvRuns.h"

#include <cstdint>
#include <cstring>

namespace skiff::jconv {

// A counter takes the decoders' events like an encoder and writes nothing. Only the UTF-8
// counter needs to know which character a two-byte code is (its UTF-8 length varies), so the
// others tell the decoders to skip the table lookups: for them a character and its substitute
// have the same length.

// Beyond the encoders' events, a counter for a target where a two-byte code and its
// substitute have the same length takes KanjiRun: a run of such bytes in a JIS or EUC-JP
// text, whose pairs and a lone last byte (one substitute) each write two bytes. Counters
// without shifts also take Counted, the length of a block the decoder measured itself.

// Counts Shift-JIS.
struct SjisCounter
{
    static constexpr bool kNeedsCodes = false;
    static constexpr bool kCountsRuns = true;
    static constexpr bool kCountsBlocks = true;
    static constexpr std::size_t kKanaBytes = 1;
    void KanjiRun(std::size_t count) { size += count + (count & 1); }
    void Counted(std::size_t count) { size += count; }
    void Ascii(unsigned) { ++size; }
    void AsciiRun(const unsigned char*, std::size_t count) { size += count; }
    void Kana(unsigned) { ++size; }
    void Kanji(unsigned) { size += 2; }
    void Geta() { size += 2; }
    void End() {}
    std::size_t size = 0;
};

// Counts EUC-JP.
struct EucCounter
{
    static constexpr bool kNeedsCodes = false;
    static constexpr bool kCountsRuns = true;
    static constexpr bool kCountsBlocks = true;
    static constexpr std::size_t kKanaBytes = 2;
    void KanjiRun(std::size_t count) { size += count + (count & 1); }
    void Counted(std::size_t count) { size += count; }
    void Ascii(unsigned) { ++size; }
    void AsciiRun(const unsigned char*, std::size_t count) { size += count; }
    void Kana(unsigned) { size += 2; }
    void Kanji(unsigned) { size += 2; }
    void Geta() { size += 2; }
    void End() {}
    std::size_t size = 0;
};

// Counts JIS: the characters and a shift sequence wherever the character class changes.
struct JisCounter
{
    static constexpr bool kNeedsCodes = false;
    static constexpr bool kCountsRuns = true;
    static constexpr bool kCountsBlocks = false;
    void KanjiRun(std::size_t count)
    {
        Shift(1);
        size += count + (count & 1);
    }
    void Counted(std::size_t) {}
    void Ascii(unsigned)
    {
        Shift(0);
        ++size;
    }
    void AsciiRun(const unsigned char*, std::size_t count)
    {
        Shift(0);
        size += count;
    }
    void Kana(unsigned)
    {
        Shift(2);
        ++size;
    }
    void Kanji(unsigned)
    {
        Shift(1);
        size += 2;
    }
    void Geta() { Kanji(0); }
    void End() { Shift(0); }
    // 0 ASCII, 1 kanji, 2 kana.
    void Shift(unsigned to)
    {
        size += mode != to ? 3 : 0;
        mode = to;
    }
    std::size_t size = 0;
    unsigned mode = 0;
};

// Counts UTF-8, with the encoder's reading of 0x5C and 0x7E as yen sign and overline.
struct Utf8Counter
{
    static constexpr bool kNeedsCodes = true;
    static constexpr bool kCountsRuns = false;
    static constexpr bool kCountsBlocks = false;
    void KanjiRun(std::size_t) {}
    void Counted(std::size_t) {}
    static constexpr std::uint64_t kOnes = 0x0101010101010101u;
    static constexpr std::uint64_t kHighBits = 0x8080808080808080u;

    // Bytes of a seven-bit word equal to c: the sum of 0x7F and a byte below 0x80 reaches bit
    // 7 exactly when the byte is not zero, and carries into no neighbour.
    static std::size_t CountOf(std::uint64_t word, unsigned c)
    {
        const std::uint64_t differ = ((word ^ (kOnes * c)) + kOnes * 0x7F) & kHighBits;
        return 8 - static_cast<std::size_t>(((differ >> 7) * kOnes) >> 56);
    }

    void Ascii(unsigned c) { size += c == 0x5C ? 2 : c == 0x7E ? 3 : 1; }
    void AsciiRun(const unsigned char* bytes, std::size_t count)
    {
        size += count;
        for (; count >= 8; count -= 8, bytes += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes, sizeof word);
            size += CountOf(word, 0x5C) + 2 * CountOf(word, 0x7E);
        }
        for (; count > 0; --count, ++bytes) {
            size += *bytes == 0x5C ? 1 : *bytes == 0x7E ? 2 : 0;
        }
    }
    void Kana(unsigned) { size += 3; }
    // One, two or three bytes by the code point; no code point is a substitute's three.
    void Kanji(unsigned sjis)
    {
        const std::uint32_t bytes = SjisToUtf8(sjis);
        size += bytes != 0 ? bytes >> 24 : 3;
    }
    void Geta() { size += 3; }
    void End() {}
    std::size_t size = 0;
};

} // namespace skiff::jconv

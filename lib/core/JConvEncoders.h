// The output side of the code conversion: byte sinks and one encoder per target set.
#pragma once

#include "JisTable.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace skiff::jconv {

constexpr unsigned kEsc = 0x1B;
// The geta mark 〓, written for every character that cannot be converted.
constexpr unsigned kGetaSjis = 0x81AC;

// Writes the converted bytes into the caller's buffer.
struct WriteSink
{
    void Put(unsigned a) { *next++ = static_cast<unsigned char>(a); }
    void Put(unsigned a, unsigned b)
    {
        next[0] = static_cast<unsigned char>(a);
        next[1] = static_cast<unsigned char>(b);
        next += 2;
    }
    void Put(unsigned a, unsigned b, unsigned c)
    {
        next[0] = static_cast<unsigned char>(a);
        next[1] = static_cast<unsigned char>(b);
        next[2] = static_cast<unsigned char>(c);
        next += 3;
    }
    // Runs of ASCII between Japanese characters are short: a library call would cost more
    // than the copy, which takes two overlapping pieces of the same size.
    [[gnu::always_inline]] void Append(const unsigned char* bytes, std::size_t count)
    {
        if (count > 32) {
            std::memcpy(next, bytes, count);
        } else if (count >= 16) {
            std::memcpy(next, bytes, 16);
            std::memcpy(next + count - 16, bytes + count - 16, 16);
        } else if (count >= 8) {
            std::memcpy(next, bytes, 8);
            std::memcpy(next + count - 8, bytes + count - 8, 8);
        } else if (count >= 4) {
            std::memcpy(next, bytes, 4);
            std::memcpy(next + count - 4, bytes + count - 4, 4);
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                next[i] = bytes[i];
            }
        }
        next += count;
    }
    unsigned char* next;
};

// Every encoder takes the same events from a decoder: Ascii (one byte 0x01-0x7F), AsciiRun
// (several), Kana (half-width katakana as its Shift-JIS byte 0xA1-0xDF), Kanji (a Shift-JIS
// code with a JIS code, see HasJisCode), Geta (nothing convertible here) and End. Encoders and
// sinks are small values the decoders carry in registers.

// Writes Shift-JIS.
template <class Sink> struct SjisEncoder
{
    static constexpr bool kNeedsCodes = true;
    static constexpr bool kCountsRuns = false;
    static constexpr bool kCountsBlocks = false;
    void KanjiRun(std::size_t) {}
    void Counted(std::size_t) {}
    void Ascii(unsigned c) { sink.Put(c); }
    void AsciiRun(const unsigned char* bytes, std::size_t count) { sink.Append(bytes, count); }
    void Kana(unsigned c) { sink.Put(c); }
    void Kanji(unsigned sjis) { sink.Put(sjis >> 8, sjis & 0xFF); }
    void Geta()
    {
        ++errors;
        Kanji(kGetaSjis);
    }
    void End() {}
    Sink sink;
    int errors = 0;
};

// Writes JIS: a shift sequence only where the character class changes, ending in ASCII.
template <class Sink> struct JisEncoder
{
    static constexpr bool kNeedsCodes = true;
    static constexpr bool kCountsRuns = false;
    static constexpr bool kCountsBlocks = false;
    void KanjiRun(std::size_t) {}
    void Counted(std::size_t) {}
    enum class Mode { Ascii, Kanji, Kana };

    void Ascii(unsigned c)
    {
        Shift(Mode::Ascii);
        sink.Put(c);
    }
    void AsciiRun(const unsigned char* bytes, std::size_t count)
    {
        Shift(Mode::Ascii);
        sink.Append(bytes, count);
    }
    void Kana(unsigned c)
    {
        Shift(Mode::Kana);
        sink.Put(c - 0x80);
    }
    void Kanji(unsigned sjis)
    {
        Shift(Mode::Kanji);
        const unsigned jis = FastSjisToJis(sjis);
        sink.Put(jis >> 8, jis & 0xFF);
    }
    void Geta()
    {
        ++errors;
        Kanji(kGetaSjis);
    }
    void End() { Shift(Mode::Ascii); }
    void Shift(Mode to)
    {
        if (mode != to) {
            mode = to;
            sink.Put(kEsc, to == Mode::Kanji ? '$' : '(', to == Mode::Kana ? 'I' : 'B');
        }
    }
    Sink sink;
    int errors = 0;
    Mode mode = Mode::Ascii;
};

// Writes EUC-JP.
template <class Sink> struct EucEncoder
{
    static constexpr bool kNeedsCodes = true;
    static constexpr bool kCountsRuns = false;
    static constexpr bool kCountsBlocks = false;
    void KanjiRun(std::size_t) {}
    void Counted(std::size_t) {}
    void Ascii(unsigned c) { sink.Put(c); }
    void AsciiRun(const unsigned char* bytes, std::size_t count) { sink.Append(bytes, count); }
    void Kana(unsigned c) { sink.Put(0x8E, c); }
    void Kanji(unsigned sjis)
    {
        const unsigned jis = FastSjisToJis(sjis);
        sink.Put((jis >> 8) | 0x80, (jis & 0xFF) | 0x80);
    }
    void Geta()
    {
        ++errors;
        Kanji(kGetaSjis);
    }
    void End() {}
    Sink sink;
    int errors = 0;
};

// Writes UTF-8, reading single bytes as JIS X 0201 Roman (0x5C yen sign, 0x7E overline).
template <class Sink> struct Utf8Encoder
{
    static constexpr bool kNeedsCodes = true;
    static constexpr bool kCountsRuns = false;
    static constexpr bool kCountsBlocks = false;
    void KanjiRun(std::size_t) {}
    void Counted(std::size_t) {}
    void Ascii(unsigned c)
    {
        if (c == 0x5C) {
            sink.Put(0xC2, 0xA5);
        } else if (c == 0x7E) {
            sink.Put(0xE2, 0x80, 0xBE);
        } else {
            sink.Put(c);
        }
    }
    void AsciiRun(const unsigned char* bytes, std::size_t count)
    {
        const unsigned char* end = bytes + count;
        while (bytes < end) {
            const unsigned char* plain = bytes;
            while (end - bytes >= 8 && !HoldsYenOrOverline(bytes)) {
                bytes += 8;
            }
            while (bytes < end && *bytes != 0x5C && *bytes != 0x7E) {
                ++bytes;
            }
            sink.Append(plain, static_cast<std::size_t>(bytes - plain));
            if (bytes < end) {
                Ascii(*bytes++);
            }
        }
    }
    // Whether the eight ASCII bytes at bytes hold 0x5C or 0x7E: a byte of the word xor the
    // searched byte is zero exactly when its subtraction borrows into a clear top bit.
    static bool HoldsYenOrOverline(const unsigned char* bytes)
    {
        constexpr std::uint64_t kOnes = 0x0101010101010101u;
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        const std::uint64_t yen = word ^ (kOnes * 0x5C);
        const std::uint64_t overline = word ^ (kOnes * 0x7E);
        return (((yen - kOnes) & ~yen) | ((overline - kOnes) & ~overline)) & (kOnes * 0x80);
    }
    void Kana(unsigned c) { Put3(c + 0xFEC0); }
    void Kanji(unsigned sjis)
    {
        const std::uint32_t bytes = SjisToUtf8(sjis);
        if (bytes >> 24 == 3) {
            sink.Put(bytes & 0xFF, (bytes >> 8) & 0xFF, (bytes >> 16) & 0xFF);
        } else if (bytes >> 24 == 2) {
            sink.Put(bytes & 0xFF, (bytes >> 8) & 0xFF);
        } else if (bytes != 0) {
            sink.Put(bytes & 0xFF);
        } else {
            Geta();
        }
    }
    void Geta()
    {
        ++errors;
        Put3(0x3013);
    }
    void End() {}
    void Put3(unsigned unicode)
    {
        sink.Put(0xE0 | (unicode >> 12), 0x80 | ((unicode >> 6) & 0x3F), 0x80 | (unicode & 0x3F));
    }
    Sink sink;
    int errors = 0;
};

} // namespace skiff::jconv

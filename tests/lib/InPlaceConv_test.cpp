// A file's text converted in its own buffer, chunk by chunk and in halves, next to the text
// converted whole into another.
#include "ConvErrors.h"
#include "InPlaceConv.h"
#include "JConv.h"
#include "XString.h"
#include "skiff.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

// EUC-JP pairs, kana and JIS X 0212 characters, UTF-8 characters, strays that grow into a
// two-byte mark, lone leads, in runs long enough for the converters' block paths and for
// stretches without an ASCII byte to end a chunk at.
std::string RandomText(unsigned seed)
{
    static const char* const kPieces[] = {
        "a",        ",",        "\n",           "\r\n",         "\xA4\xA2",
        "\xB0\xA1", "\x8E\xB1", "\x8F\xB0\xA1", "\xE3\x81\x82", "\xEF\xBD\xB1",
        "\xC3\xA9", "\xFF",     "\x80",         "\xA4",         "\xE3\x81"};
    std::string text;
    const auto next = [&seed](unsigned bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    while (text.size() < 40 + seed % 600) {
        const char* piece = kPieces[next(std::size(kPieces))];
        for (unsigned run = next(24) + 1; run > 0; --run)
            text += piece;
    }
    return text;
}

// The Shift-JIS text and its substitutions, converted as the text is converted in place.
std::string Converted(const std::string& text, int lnCharSet, int lnStart, bool bHalves,
                      std::size_t nChunk)
{
    skiff::ResetConvErrCnt();
    XString buffer;
    buffer.SetBytes(text.data(), static_cast<int>(text.size()));
    skiff::ConvertFileToSjis(lnCharSet, buffer, lnStart, bHalves, nChunk);
    return std::string(buffer.Text(), static_cast<std::size_t>(buffer.Length())) + '|' +
           std::to_string(GetConvErrCnt());
}

std::string ConvertedWhole(const std::string& text, int lnCharSet, int lnStart)
{
    const auto from = static_cast<skiff::Charset>(lnCharSet);
    const char* source = text.c_str() + lnStart;
    std::string converted(skiff::ConvertedLength(from, skiff::Charset::Sjis, source), '\0');
    int errors = 0;
    skiff::Convert(from, skiff::Charset::Sjis, source, converted.data(), errors);
    return converted + '|' + std::to_string(errors);
}

} // namespace

TEST(InPlaceConv, ChunksAndHalvesGiveTheTextConvertedWhole)
{
    for (unsigned seed = 1; seed <= 80; ++seed) {
        const std::string text = RandomText(seed);
        for (const int charSet : {2, 3, 4}) {
            const int start = charSet == 4 && seed % 4 == 0 ? 3 : 0;
            const std::string whole = ConvertedWhole(text, charSet, start);
            for (const std::size_t chunk : {1, 2, 5, 16, 64, 4096})
                for (const bool halves : {false, true})
                    EXPECT_EQ(Converted(text, charSet, start, halves, chunk), whole)
                        << "seed " << seed << " set " << charSet << " chunk " << chunk
                        << (halves ? " halves" : "");
        }
    }
}

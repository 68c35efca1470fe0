// Every converter pair against glibc's iconv: each JIS X 0208 character, and random texts
// mixing ASCII, kana, kanji and half-width katakana.
#include "JConvTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace jconv;

namespace {

// The Shift-JIS codes glibc's SHIFT_JIS reads as one character: JIS X 0208, found
// independently of Skiff's table.
const std::vector<std::string>& JisX0208()
{
    static const std::vector<std::string> codes = [] {
        std::vector<std::string> found;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead >= 0xA0 && lead < 0xE0) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
                bool failed = false;
                if (trail != 0x7F && !Iconv("UTF-16LE", "SHIFT_JIS", code, &failed).empty()) {
                    found.push_back(code);
                }
            }
        }
        return found;
    }();
    return codes;
}

// First differing byte, so a failure names its place rather than printing megabytes.
void ExpectSame(const std::string& actual, const std::string& expected, const Pair& pair)
{
    if (actual == expected) {
        return;
    }
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) {
        ++at;
    }
    const size_t from = at < 8 ? 0 : at - 8;
    ADD_FAILURE() << pair.name << ": sizes " << actual.size() << " / " << expected.size()
                  << ", first difference at " << at << ":\n  got      "
                  << ::testing::PrintToString(actual.substr(from, 24)) << "\n  expected "
                  << ::testing::PrintToString(expected.substr(from, 24));
}

// Every pair converts the text in its source set into the text in its target set.
void ExpectEveryPairLikeIconv(const std::string& sjis)
{
    // UTF-8 carries 0x815F's U+005C as the ASCII backslash (byte 0x5C), and 0x7F's U+007F
    // has no Shift-JIS code: a UTF-8 source holds neither.
    const std::string fromUtf8 = ReplaceAll(ReplaceAll(sjis, "\x81\x5f", "\x81\x40"), "\x7f", "");
    for (const Pair& pair : Pairs()) {
        const std::string& text = pair.from == kUtf8 ? fromUtf8 : sjis;
        ExpectSame(Converted(pair, Reference(pair.from, text)), Reference(pair.to, text), pair);
    }
}

std::string RandomText(std::mt19937& random)
{
    const std::vector<std::string>& kanji = JisX0208();
    std::string text;
    const int characters = std::uniform_int_distribution<int>(0, 300)(random);
    for (int i = 0; i < characters; ++i) {
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
        case 1:
            text += static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(random));
            break;
        case 2:
            text += "\r\n\t,"[std::uniform_int_distribution<int>(0, 3)(random)];
            break;
        case 3:
            text += static_cast<char>(std::uniform_int_distribution<int>(0xA1, 0xDF)(random));
            break;
        default:
            text += kanji[std::uniform_int_distribution<size_t>(0, kanji.size() - 1)(random)];
            break;
        }
    }
    return text;
}

} // namespace

TEST(JConvIconv, FindsTheWholeCharacterSet)
{
    EXPECT_EQ(JisX0208().size(), 6879u);
}

TEST(JConvIconv, EveryCharacterInARow)
{
    std::string text;
    for (const std::string& code : JisX0208()) {
        text += code;
    }
    ExpectEveryPairLikeIconv(text);
}

TEST(JConvIconv, EveryCharacterBetweenAsciiAndKatakana)
{
    std::string text;
    for (const std::string& code : JisX0208()) {
        text += "a" + code + "\xB1";
    }
    ExpectEveryPairLikeIconv(text);
}

TEST(JConvIconv, EveryHalfWidthKatakanaAndAsciiCharacter)
{
    std::string text;
    for (int c = 0x01; c <= 0xDF; ++c) {
        if (c < 0x80 || c >= 0xA1) {
            text += static_cast<char>(c);
        }
    }
    // The escape byte would start a shift sequence in the JIS text.
    ExpectEveryPairLikeIconv(ReplaceAll(text, "\x1B", ""));
}

TEST(JConvIconv, RandomMixedTexts)
{
    std::mt19937 random(20240607);
    for (int i = 0; i < 300; ++i) {
        ExpectEveryPairLikeIconv(RandomText(random));
        if (HasFailure()) {
            break;
        }
    }
}

// The block paths of the converters and their length functions: one odd character at every
// place of a long text converts exactly as it does on its own, and the count agrees.
#include "ConvErrors.h"
#include "JConvTestSupport.h"
#include "JConvWide.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace jconv;

namespace {

// The characters long texts are made of in Shift-JIS: kanji, kana, punctuation, full-width
// forms, the symbols, Greek and Cyrillic letters that are shorter in UTF-8, ASCII with its
// two odd bytes, half-width katakana and a row-13 code.
const char* const kBody[] = {
    "\x88\x9f", "\x8a\xbf", "\x93\xfa", "\x96\x7b", "\x82\xa0", "\x83\x41", "\x81\x41", "\x81\x5b",
    "\x82\x60", "\x81\x7e", "\x81\x5f", "\x83\xbf", "\x84\x40", "\x84\x91", "\xea\xa4", "a",
    "7",        ",",        "\\",       "~",        "\xb1",     "\xdf",     "\x81\x40", "\x81\xca"};

// Odd characters of each source set that take nothing from what follows them as long as
// that starts a character: stray and broken bytes, marks, and single-byte results.
const std::vector<std::string> kOddSjis = {"\x80",   "\xa0",     "\xfd",     "\xff",
                                           "\x88\r", "\xf0\x40", "\x87\x40", "\xeb\x40",
                                           "\xb1",   "\x7f",     "\x81\x5f", "\xfc\xfc"};
const std::vector<std::string> kOddEuc = {"\x8e\xb1", "\x8f\xa2\xaf", "\x80",     "\xff",
                                          "\xa1\r",   "\xa9\xa1",     "\x8e\r",   "\xfe\xfe",
                                          "\x7f",     "\xa0",         "\xad\xa1", "\xf5\xa1"};
const std::vector<std::string> kOddUtf8 = {"\xef\xbd\xb1", "\xc2\xa5",         "\xe2\x80\xbe",
                                           "\xe0\x80\x80", "\xf0\x9f\x98\x80", "\x80",
                                           "\xc3\r",       "\xed\xa0\x80",     "~",
                                           "\x7f",         "\xce\xb1",         "\xe3\x81\r",
                                           "\xef\xbf\xa5", "\xe0\xa0\x80",     "\xc0\xaf"};
const std::vector<std::string> kOddJis = {"\x80", "\r", " ", "\x7f", "\x1b(I1\x1b$B", "\xff"};

// A text of count body characters in Shift-JIS; common makes kanji and kana the usual
// characters, as in running text, else every character is as likely.
std::string Body(std::mt19937& random, int count, bool common)
{
    std::uniform_int_distribution<size_t> pick(0, std::size(kBody) - 1);
    std::uniform_int_distribution<size_t> pickCommon(0, 4);
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += kBody[common ? pickCommon(random) : pick(random)];
    }
    return text;
}

// The Shift-JIS text in set, as Skiff writes it; for JIS without the shifts around it.
std::string InSet(Set set, const std::string& sjis)
{
    if (set == kSjis) {
        return sjis;
    }
    std::string text = Converted(kSjis, set, sjis);
    if (set == kJis && text.size() >= 6) {
        text = text.substr(3, text.size() - 6);
    }
    return text;
}

// Converts text, in JIS inside a kanji shift, and adds the marks written to errors.
std::string Convert(const Pair& pair, const std::string& text, int& errors)
{
    skiff::ResetConvErrCnt();
    const std::string source = pair.from == kJis ? "\x1b$B" + text + "\x1b(B" : text;
    std::string result = Converted(pair, source);
    errors += GetConvErrCnt();
    return result;
}

// Whether text converts in two parts cut at cut as it does whole: a cut between characters.
bool CutsCleanly(const Pair& pair, const std::string& text, size_t cut)
{
    int errors = 0;
    return Convert(pair, text.substr(0, cut), errors) + Convert(pair, text.substr(cut), errors) ==
           Convert(pair, text, errors);
}

// For every pair from set into a set without shifts: before + odd + after converts to the
// three converted one by one, for the odd characters at every offset of two blocks and with
// short and long tails behind them. JIS texts stay in their kanji shift throughout.
void ExpectOddAnywhere(Set from, const std::vector<std::string>& odds)
{
    std::mt19937 random(static_cast<unsigned>(from) * 7919);
    for (const Pair& pair : Pairs()) {
        if (pair.from != from || pair.to == kJis) {
            continue;
        }
        for (int round = 0; round < 4; ++round) {
            const bool common = from == kJis || round % 2 == 0;
            const std::string lead(from == kJis ? 0 : static_cast<size_t>(round), 'x');
            const std::string before = InSet(from, lead + Body(random, 70, common));
            const std::string after = InSet(from, Body(random, 40, common));
            std::vector<std::string> tails = {"", after};
            for (size_t tail = 1; tail < 8 && tails.size() < 4; ++tail) {
                if (CutsCleanly(pair, after, tail)) {
                    tails.push_back(after.substr(0, tail));
                }
            }
            int oddErrors = 0;
            std::vector<std::string> oddConverted;
            std::vector<int> oddErrorCounts;
            for (const std::string& odd : odds) {
                oddErrors = 0;
                oddConverted.push_back(Convert(pair, odd, oddErrors));
                oddErrorCounts.push_back(oddErrors);
            }
            for (size_t cut = 0; cut <= before.size(); ++cut) {
                if (!CutsCleanly(pair, before, cut)) {
                    continue;
                }
                int headErrors = 0;
                const std::string head = before.substr(0, cut);
                const std::string headConverted = Convert(pair, head, headErrors);
                for (const std::string& rest : tails) {
                    int restErrors = 0;
                    const std::string restConverted = Convert(pair, rest, restErrors);
                    for (size_t i = 0; i < odds.size(); ++i) {
                        int errors = 0;
                        const std::string whole = head + odds[i] + rest;
                        ASSERT_EQ(Convert(pair, whole, errors),
                                  headConverted + oddConverted[i] + restConverted)
                            << pair.name << " " << ::testing::PrintToString(whole);
                        ASSERT_EQ(errors, headErrors + oddErrorCounts[i] + restErrors)
                            << pair.name << " " << ::testing::PrintToString(whole);
                    }
                }
            }
        }
    }
}

} // namespace

TEST(JConvBlocks, OddShiftJisCharactersAnywhere)
{
    ExpectOddAnywhere(kSjis, kOddSjis);
}

TEST(JConvBlocks, OddEucCharactersAnywhere)
{
    ExpectOddAnywhere(kEuc, kOddEuc);
}

TEST(JConvBlocks, OddUtf8CharactersAnywhere)
{
    ExpectOddAnywhere(kUtf8, kOddUtf8);
}

TEST(JConvBlocks, OddBytesInAJisKanjiShiftAnywhere)
{
    ExpectOddAnywhere(kJis, kOddJis);
}

TEST(JConvBlocks, LongTextsAgreeWithIconv)
{
    // Texts of many blocks of the common characters only, against an independent converter.
    std::mt19937 random(64);
    std::string sjis;
    for (int i = 0; i < 40; ++i) {
        sjis += Body(random, 50, true) + "abc,0123\r\n";
    }
    for (const Pair& pair : Pairs()) {
        if (pair.to == kJis) {
            continue;
        }
        EXPECT_EQ(Converted(pair, Reference(pair.from, sjis)), Reference(pair.to, sjis))
            << pair.name;
    }
}

TEST(JConvBlocks, EveryJisCellAmongEightPairs)
{
    // Runs of eight pairs convert at once: each cell, at each place of such a run, converts
    // as it does alone, marks for the cells without a character included.
    for (const Set from : {kEuc, kJis}) {
        const Pair& pair = PairOf(from, kSjis);
        const std::string shiftIn = from == kJis ? "\x1b$B" : "";
        const std::string shiftOut = from == kJis ? "\x1b(B" : "";
        const unsigned high = from == kEuc ? 0x80 : 0;
        const auto code = [high](unsigned row, unsigned cell) {
            return std::string{static_cast<char>(row | high), static_cast<char>(cell | high)};
        };
        for (unsigned row = 0x21; row <= 0x7E; ++row) {
            for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
                std::string text;
                std::string expected;
                const std::string alone = Converted(pair, shiftIn + code(row, cell) + shiftOut);
                const std::string filler = Converted(pair, shiftIn + code(0x30, 0x21) + shiftOut);
                for (unsigned place = 0; place < 17; ++place) {
                    const bool here =
                        place == (row + cell) % 8 || place == 8 + (row + 2 * cell) % 8;
                    text += here ? code(row, cell) : code(0x30, 0x21);
                    expected += here ? alone : filler;
                }
                ASSERT_EQ(Converted(pair, shiftIn + text + shiftOut), expected)
                    << pair.name << " " << std::hex << row << " " << cell;
            }
        }
    }
}

// The same on the passes every processor runs, which the wide ones otherwise take over.
class JConvNarrowBlocks : public ::testing::Test
{
protected:
    void SetUp() override { skiff::jconv::UseWideVectors(false); }
    void TearDown() override { skiff::jconv::UseWideVectors(true); }
};

TEST_F(JConvNarrowBlocks, TheWidePassesStayOff)
{
    EXPECT_FALSE(skiff::jconv::WideVectors());
}

TEST_F(JConvNarrowBlocks, OddCharactersAnywhere)
{
    ExpectOddAnywhere(kSjis, kOddSjis);
    ExpectOddAnywhere(kEuc, kOddEuc);
    ExpectOddAnywhere(kUtf8, kOddUtf8);
}

TEST_F(JConvNarrowBlocks, LongTextsAgreeWithIconv)
{
    std::mt19937 random(65);
    std::string sjis;
    for (int i = 0; i < 40; ++i) {
        sjis += Body(random, 50, true) + "abc,0123\r\n";
    }
    for (const Pair& pair : Pairs()) {
        if (pair.to != kJis) {
            EXPECT_EQ(Converted(pair, Reference(pair.from, sjis)), Reference(pair.to, sjis))
                << pair.name;
        }
    }
}

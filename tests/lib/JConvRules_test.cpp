// The rules every converter pair obeys: length twin, reference output, round trip, and the
// geta mark (counted) for whatever cannot be converted.
#include "JConvTestSupport.h"

#include <gtest/gtest.h>

using namespace jconv;

namespace {

// Shift-JIS texts of the common repertoire: controls, ASCII with 0x5C and 0x7E, half-width
// katakana, symbols, kana, kanji from both lead-byte ranges.
const std::vector<std::string> kTexts = {
    "plain ASCII, digits 0123 and \t\r\n controls",
    "\x8a\xbf\x8e\x9a",                            // 漢字
    "ABC\x8a\xbf\x8e\x9a\xb1",                     // ABC漢字ｱ
    "\xb1\xb2\x8a\xbf\xb3 x \x82\xa0\x83\x41\xb4", // ｱｲ漢ｳ x あアｴ
    "yen \x5c overline \x7e \x81\x5f\x81\x60\x81\x61\x81\x7c\x81\x91\x81\x92\x81\xca",
    "\xe0\x40\xe0\x9f\xea\xa4\x88\x9f\x98\x72\x83\x9f\x84\x40\x84\xbe", // 漾 漾 熙 亜 ...
    "\r\n\x82\xa0\r\n\xb1\r\n",
};

// Malformed or unmappable input: the bytes, the Shift-JIS text it must turn into, and the
// number of geta marks.
struct Bad
{
    Set from;
    std::string bytes;
    std::string sjis;
    int getas;
};

const std::vector<Bad> kBad = {
    {kSjis, "A\x80Z", "A\x81\xacZ", 1},
    {kSjis, "A\xa0\xfd\xfe\xffZ", "A\x81\xac\x81\xac\x81\xac\x81\xacZ", 4},
    {kSjis, "A\x88", "A\x81\xac", 1},
    {kSjis, "\x88\x9f\x81", "\x88\x9f\x81\xac", 1},
    {kSjis, "A\x88 Z", "A\x81\xac Z", 1},
    {kSjis, "A\x88\x7fZ", "A\x81\xac\x7fZ", 1},
    {kSjis, "A\xf0\x40Z\xfc\xfc", "A\x81\xacZ\x81\xac", 2},
    {kJis, "A\x1b$B0", "A\x81\xac", 1},
    {kJis, "\x1b$B0!0\n\x1b(BZ", "\x88\x9f\x81\xac\nZ", 1},
    {kJis, "A\x80\xb1Z", "A\x81\xac\x81\xacZ", 2},
    {kEuc, "A\xb0", "A\x81\xac", 1},
    {kEuc, "A\xb0\x41Z", "A\x81\xac\x41Z", 1},
    {kEuc, "\x8eZ\x8e", "\x81\xacZ\x81\xac", 2},
    {kEuc, "\x8f\xb0\xa1Z\x8f\xb0", "\x81\xacZ\x81\xac\x81\xac", 3},
    {kEuc, "A\x80\xff\xa0Z", "A\x81\xac\x81\xac\x81\xacZ", 3},
    {kUtf8, "A\x80\xbfZ", "A\x81\xacZ", 1},
    {kUtf8, "A\xe3\x81Z\xe3\x81", "A\x81\xacZ\x81\xac", 2},
    {kUtf8, "\xc0\x80Z\xc1\xbf\xe0\x80\x80", "\x81\xacZ\x81\xac\x81\xac", 3},
    {kUtf8, "A\xf0\x9f\x98\x80Z\xf0\x9f", "A\x81\xacZ\x81\xac", 2},
    {kUtf8, "\xf8\x88\x80\x80\x80Z\xff\xfe", "\x81\xacZ\x81\xac\x81\xac", 3},
    {kUtf8, "a~\x7f\xc3\xa9\xed\xa0\x80z", "a\x81\xac\x81\xac\x81\xac\x81\xacz", 4},
};

// The text a pair is tested on: UTF-8 cannot carry 0x815F, whose U+005C comes back as the
// single byte 0x5C.
std::string Base(const Pair& pair, const std::string& sjis)
{
    return pair.from == kUtf8 || pair.to == kUtf8 ? ReplaceAll(sjis, "\x81\x5f", "") : sjis;
}

class JConvRules : public ::testing::TestWithParam<Pair>
{};

std::string PairName(const ::testing::TestParamInfo<Pair>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(JConvRules, EmptyTextStaysEmpty)
{
    EXPECT_EQ(Converted(GetParam(), ""), "");
}

TEST_P(JConvRules, ConvertsLikeTheReference)
{
    const Pair& pair = GetParam();
    for (const std::string& text : kTexts) {
        const std::string base = Base(pair, text);
        EXPECT_EQ(Converted(pair, Reference(pair.from, base)), Reference(pair.to, base)) << text;
    }
}

TEST_P(JConvRules, ComesBackUnchanged)
{
    const Pair& pair = GetParam();
    for (const std::string& text : kTexts) {
        const std::string source = Reference(pair.from, Base(pair, text));
        EXPECT_EQ(Converted(pair.to, pair.from, Converted(pair, source)), source) << text;
    }
}

TEST_P(JConvRules, CountsNothingWhenAllConverts)
{
    const Pair& pair = GetParam();
    const int before = GetConvErrCnt();
    for (const std::string& text : kTexts) {
        Converted(pair, Reference(pair.from, Base(pair, text)));
    }
    EXPECT_EQ(GetConvErrCnt(), before);
}

TEST_P(JConvRules, ReplacesWhatCannotBeConvertedAndGoesOn)
{
    const Pair& pair = GetParam();
    for (const Bad& bad : kBad) {
        if (bad.from != pair.from) {
            continue;
        }
        const int before = GetConvErrCnt();
        pair.length(bad.bytes.c_str());
        EXPECT_EQ(GetConvErrCnt(), before) << "a length function counted";
        EXPECT_EQ(Converted(pair, bad.bytes), Reference(pair.to, bad.sjis)) << bad.bytes;
        EXPECT_EQ(GetConvErrCnt() - before, bad.getas) << bad.bytes;
    }
}

TEST_P(JConvRules, RejectsMissingBuffers)
{
    const Pair& pair = GetParam();
    char buffer[8];
    EXPECT_EQ(pair.length(nullptr), -1);
    EXPECT_EQ(pair.convert(nullptr, buffer), -1);
    EXPECT_EQ(pair.convert("a", nullptr), -1);
}

INSTANTIATE_TEST_SUITE_P(EveryPair, JConvRules, ::testing::ValuesIn(Pairs()), PairName);

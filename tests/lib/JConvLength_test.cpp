// The length functions against the converters on random and mixed texts: the length a caller
// allocates is exactly what the conversion writes, whatever the bytes.
#include "JConvTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace jconv;

namespace {

// Pieces that steer the decoders into each of their branches: ASCII runs of every length
// (with 0x5C and 0x7E, which UTF-8 writes longer), two-byte codes of every set, half-width
// katakana, JIS shifts, Unicode characters from each class, and broken or foreign bytes.
const char* const kPieces[] = {
    "a",
    "abcdefgh",
    "0123456789abcdefghij",
    "\\",
    "~",
    "\x7f",
    "\r\n",
    " ",
    "\x1b",
    "\x88\x9f",
    "\x82\xa0",
    "\x83\x41",
    "\x81\x5f",
    "\x81\x40",
    "\x84\x40",
    "\x87\x40",
    "\xea\xa4",
    "\xeb\x40",
    "\xf0\x40",
    "\xfc\xfc",
    "\xb1",
    "\xdf",
    "\x80",
    "\xa0",
    "\xfd",
    "\xb0\xa1",
    "\xa4\xa2",
    "\xa6\xa1",
    "\xa7\xa1",
    "\xa2\xae",
    "\xa9\xa1",
    "\xf5\xa1",
    "\x8e\xb1",
    "\x8e\xe0",
    "\x8f\xa2\xaf",
    "\xfe\xfe",
    "\x1b$B",
    "\x1b(B",
    "\x1b(I",
    "\x1b(J",
    "\x1b$@",
    "0!",
    "4A",
    "\x7e\x7e",
    "!",
    "\xe3\x81\x82",
    "\xe4\xba\x9c",
    "\xef\xbd\xb1",
    "\xef\xbf\xa5",
    "\xe2\x80\xbe",
    "\xc2\xa5",
    "\xc2\xa7",
    "\xce\xb1",
    "\xd0\x96",
    "\xf0\x9f\x98\x80",
    "\xe0\x80\x80",
    "\xc0\xaf",
    "\xed\xa0\x80",
    "\xe3\x81",
    "\xc3",
};

std::string Mixed(std::mt19937& random, int pieces)
{
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    std::string text;
    for (int i = 0; i < pieces; ++i) {
        text += kPieces[pick(random)];
    }
    return text;
}

std::string RandomBytes(std::mt19937& random, int bytes)
{
    std::uniform_int_distribution<int> pick(1, 255);
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        text += static_cast<char>(pick(random));
    }
    return text;
}

class JConvLength : public ::testing::TestWithParam<Pair>
{};

std::string PairName(const ::testing::TestParamInfo<Pair>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(JConvLength, MatchesTheConversionOnMixedTexts)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        const std::string text = Mixed(random, round % 60);
        const int length = GetParam().length(text.c_str());
        // Converted fails the test when the conversion writes another length.
        ASSERT_EQ(static_cast<int>(Converted(GetParam(), text).size()) + 1, length)
            << ::testing::PrintToString(text);
    }
}

TEST_P(JConvLength, MatchesTheConversionOnRandomBytes)
{
    std::mt19937 random(8);
    for (int round = 0; round < 200; ++round) {
        const std::string text = RandomBytes(random, round);
        const int length = GetParam().length(text.c_str());
        ASSERT_EQ(static_cast<int>(Converted(GetParam(), text).size()) + 1, length)
            << ::testing::PrintToString(text);
    }
}

TEST_P(JConvLength, MatchesTheConversionOnLongRunsOfJapanese)
{
    // Long runs of the commonest characters of each set (where the length functions take
    // whole blocks at a time), broken now and then by any other piece.
    static const char* const common[] = {"\xe3\x81\x82", "\xe4\xba\x9c", "ab,",
                                         "\xb0\xa1",     "\xa4\xa2",     "4A",
                                         "0!",           "\x88\x9f",     "\x82\xa0"};
    std::mt19937 random(15);
    std::uniform_int_distribution<size_t> pickCommon(0, std::size(common) - 1);
    std::uniform_int_distribution<size_t> pickAny(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int round = 0; round < 300; ++round) {
        std::string text = round % 2 == 0 ? "\x1b$B" : "";
        for (int i = 0; i < 80; ++i) {
            text += percent(random) < 95 ? common[pickCommon(random)] : kPieces[pickAny(random)];
        }
        const int length = GetParam().length(text.c_str());
        ASSERT_EQ(static_cast<int>(Converted(GetParam(), text).size()) + 1, length)
            << ::testing::PrintToString(text);
    }
}

TEST(JConvLengthCases, LeadBytesRunningIntoTheNextBlock)
{
    // Sixteen bytes of ASCII and lead bytes whose followers are missing.
    const std::string text = "\x1b(I14;(,\x1b\x1b(I1\xe4\xe4\xe4\xe4\xe4\xe4\xe4\xe4;'";
    EXPECT_EQ(UNICODEtoSJISLen(text.c_str()),
              static_cast<int>(Converted(kUtf8, kSjis, text).size()) + 1);
}

TEST(JConvLengthCases, OverlongFormEndingABlockSwallowsTheStrayFollower)
{
    // The overlong form ends the second block of sixteen bytes; its mark takes the 0xB7 along.
    const std::string text = "a" + std::string(28, '[') + "\xe0\x8e\xbd\xb7";
    EXPECT_EQ(UNICODEtoSJISLen(text.c_str()),
              static_cast<int>(Converted(kUtf8, kSjis, text).size()) + 1);
    EXPECT_EQ(UNICODEtoEUCLen(text.c_str()),
              static_cast<int>(Converted(kUtf8, kEuc, text).size()) + 1);
}

INSTANTIATE_TEST_SUITE_P(EveryPair, JConvLength, ::testing::ValuesIn(Pairs()), PairName);

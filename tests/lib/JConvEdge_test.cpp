// Particular cases of the code conversion: shift sequences, code arithmetic, the single-byte
// and special mappings, substitutions and their count, and the table's two lookups.
#include "ConvErrors.h"
#include "JConvTestSupport.h"
#include "JisTable.h"

#include <gtest/gtest.h>

using namespace jconv;

TEST(JConvShifts, LettersKanjiAndKatakanaToJis)
{
    EXPECT_EQ(Converted(kSjis, kJis, "ABC\x8a\xbf\x8e\x9a\xb1"), "ABC\x1b$B4A;z\x1b(I1\x1b(B");
    EXPECT_EQ(SJIStoJISLen("ABC\x8a\xbf\x8e\x9a\xb1"), 18);
}

TEST(JConvShifts, AsciiOnlyJisIsUnchanged)
{
    EXPECT_EQ(Converted(kJis, kSjis, "plain text, 123\r\n"), "plain text, 123\r\n");
    EXPECT_EQ(Converted(kSjis, kJis, "plain text, 123\r\n"), "plain text, 123\r\n");
}

TEST(JConvShifts, ReaderKeepsKanjiModeAcrossKatakanaShift)
{
    // ESC ( I leaves two-byte mode on: after the katakana range, bytes pair up again.
    EXPECT_EQ(Converted(kJis, kSjis, "\x1b$B4A\x1b(I1`a\x1b(Bz"), "\x8a\xbf\xb1\xe0\xdfz");
    // Unknown escape sequences are ordinary bytes.
    EXPECT_EQ(Converted(kJis, kSjis, "\x1b(Jab"), "\x1b(Jab");
}

TEST(JConvShifts, ControlBytesPassInEveryMode)
{
    EXPECT_EQ(Converted(kJis, kEuc, "\x1b$B4A\r\n4A\x1b(B"), "\xb4\xc1\r\n\xb4\xc1");
}

TEST(JConvArithmetic, CodesOnBothSidesOfTheLeadByteGap)
{
    EXPECT_EQ(Converted(kSjis, kJis, "\xe0\x9f"), "\x1b$B`!\x1b(B");
    EXPECT_EQ(Converted(kJis, kSjis, "\x1b$B`!\x1b(B"), "\xe0\x9f");
    EXPECT_EQ(Converted(kSjis, kJis, "\xe0\x40"), "\x1b$B_!\x1b(B");
    EXPECT_EQ(Converted(kJis, kSjis, "\x1b$B_!\x1b(B"), "\xe0\x40");
}

TEST(JConvArithmetic, CodesOutsideTheUnicodeTablePassOnlyFromShiftJis)
{
    // NEC row 13 and rows 85-94 have JIS codes but no JIS X 0208 character: written out of
    // Shift-JIS as they are, but read from JIS or EUC-JP as counted geta marks.
    EXPECT_EQ(Converted(kSjis, kEuc, "\x87\x40\xef\xfc"), "\xad\xa1\xfe\xfe");
    EXPECT_EQ(Converted(kSjis, kJis, "\x87\x40"), "\x1b$B-!\x1b(B");
    skiff::ResetConvErrCnt();
    EXPECT_EQ(Converted(kEuc, kSjis, "\xad\xa1\xfe\xfe"), "\x81\xac\x81\xac");
    EXPECT_EQ(Converted(kJis, kSjis, "\x1b$B-!\x1b(B"), "\x81\xac");
    EXPECT_EQ(GetConvErrCnt(), 3);
}

TEST(JConvArithmetic, ConversionRuleOfEveryCell)
{
    for (unsigned first = 0x21; first <= 0x7E; ++first) {
        for (unsigned second = 0x21; second <= 0x7E; ++second) {
            const unsigned jis = (first << 8) | second;
            const unsigned sjis = skiff::JisToSjis(jis);
            ASSERT_TRUE(skiff::HasJisCode(sjis >> 8, sjis & 0xFF)) << jis;
            ASSERT_EQ(skiff::SjisToJis(sjis), jis);
            ASSERT_EQ(skiff::FastJisToSjis(jis), sjis);
            ASSERT_EQ(skiff::FastSjisToJis(sjis), jis);
        }
    }
    EXPECT_FALSE(skiff::HasJisCode(0xF0, 0x40));
    EXPECT_FALSE(skiff::HasJisCode(0x88, 0x3F));
    EXPECT_FALSE(skiff::HasJisCode(0xA0, 0x40));
}

TEST(JConvUnicode, SingleBytesReadAsJisRoman)
{
    EXPECT_EQ(Converted(kSjis, kUtf8, "\x5c"), "\xc2\xa5");
    EXPECT_EQ(Converted(kSjis, kUtf8, "\x7e\x7f"), "\xe2\x80\xbe\x7f");
    EXPECT_EQ(Converted(kUtf8, kSjis, "\xc2\xa5"), "\x5c");
    EXPECT_EQ(Converted(kUtf8, kSjis, "\xe2\x80\xbe"), "\x7e");
    EXPECT_EQ(Converted(kUtf8, kSjis,
                        "a\xc2\xa5"
                        "b c:\\d"),
              "a\x5c"
              "b c:\\d");
}

TEST(JConvUnicode, KanaGreekAndTheAssignedSymbols)
{
    EXPECT_EQ(Converted(kSjis, kUtf8, "\xb1"), "\xef\xbd\xb1");
    EXPECT_EQ(Converted(kSjis, kUtf8, "\x83\x9f"), "\xce\x91");
    EXPECT_EQ(Converted(kUtf8, kSjis, "\xce\x91"), "\x83\x9f");
    EXPECT_EQ(Converted(kSjis, kUtf8, "\x81\x5f\x81\x60\x81\x61\x81\x7c"),
              "\\\xe3\x80\x9c\xe2\x80\x96\xe2\x88\x92");
    EXPECT_EQ(Converted(kSjis, kUtf8, "\x81\x91\x81\x92\x81\xca"), "\xc2\xa2\xc2\xa3\xc2\xac");
    EXPECT_EQ(
        Converted(kUtf8, kSjis, "\xe3\x80\x9c\xe2\x80\x96\xe2\x88\x92\xc2\xa2\xc2\xa3\xc2\xac"),
        "\x81\x60\x81\x61\x81\x7c\x81\x91\x81\x92\x81\xca");
}

TEST(JConvUnicode, ByteOrderMarkHasNoShiftJisCode)
{
    EXPECT_EQ(Converted(kUtf8, kSjis,
                        "\xef\xbb\xbf"
                        "a"),
              "\x81\xac"
              "a");
}

TEST(JConvGeta, UnmappedCharactersNoLongerEndTheText)
{
    EXPECT_EQ(Converted(kSjis, kUtf8, "a\x87\x40z"), "a\xe3\x80\x93z");
    EXPECT_EQ(Converted(kUtf8, kSjis, "a\xc3\xa9z"), "a\x81\xacz");
    EXPECT_EQ(Converted(kJis, kUtf8, "\x1b$B-!\x1b(Bz"), "\xe3\x80\x93z");
    EXPECT_EQ(Converted(kUtf8, kJis, "a\xc3\xa9z"), "a\x1b$B\".\x1b(Bz");
}

TEST(JConvGeta, TrailBytesOutOfRangeNoLongerEndTheText)
{
    EXPECT_EQ(Converted(kSjis, kJis, "\x88\x20z"), "\x1b$B\".\x1b(B z");
    EXPECT_EQ(Converted(kSjis, kEuc, "\x88\x20z"), "\xa2\xae z");
    // Lead bytes beyond row 94 would give JIS bytes above 0x7E.
    EXPECT_EQ(Converted(kSjis, kJis, "\xf0\x40z"), "\x1b$B\".\x1b(Bz");
    EXPECT_EQ(Converted(kSjis, kEuc, "\xfc\xfcz"), "\xa2\xaez");
}

TEST(JConvGeta, TwoStepPairsCountEachSubstitutionOnce)
{
    const int before = GetConvErrCnt();
    Converted(kJis, kUtf8, "\x1b$B-!0\x1b(B");          // no Unicode value, then a lone byte
    Converted(kEuc, kUtf8, "\xad\xa1\x8f\xb0\xa1");     // no Unicode value, JIS X 0212
    Converted(kUtf8, kJis, "\xc3\xa9\xf0\x9f\x98\x80"); // no Shift-JIS code, outside the BMP
    Converted(kUtf8, kEuc, "~\x80");
    EXPECT_EQ(GetConvErrCnt() - before, 8);
}

TEST(JConvGeta, TheCountStartsAgainOnReset)
{
    Converted(kUtf8, kSjis, "\xff");
    EXPECT_GT(GetConvErrCnt(), 0);
    skiff::ResetConvErrCnt();
    EXPECT_EQ(GetConvErrCnt(), 0);
    skiff::AddConvErrs(3);
    Converted(kSjis, kEuc, "\x80\x80");
    EXPECT_EQ(GetConvErrCnt(), 5);
    skiff::ResetConvErrCnt();
}

TEST(JConvEuc, HalfWidthKatakanaBothWays)
{
    EXPECT_EQ(Converted(kSjis, kEuc, "\xb1"), "\x8e\xb1");
    EXPECT_EQ(Converted(kEuc, kSjis, "\x8e\xb1"), "\xb1");
    EXPECT_EQ(Converted(kEuc, kJis, "\x8e\xb1\x8e\xb2\xb4\xc1"), "\x1b(I12\x1b$B4A\x1b(B");
}

TEST(JConvEuc, EscapeBytesInTheSourceStayOrdinaryBytes)
{
    EXPECT_EQ(Converted(kSjis, kEuc, "\x1b$B41"), "\x1b$B41");
    EXPECT_EQ(Converted(kEuc, kSjis, "\x1b$B41"), "\x1b$B41");
}

TEST(JConvTable, DirectIndexesAgreeWithTheBinarySearch)
{
    int characters = 0;
    for (unsigned unicode = 0; unicode <= 0xFFFF; ++unicode) {
        const std::uint16_t sjis = skiff::LookupSjisCode(static_cast<std::uint16_t>(unicode));
        ASSERT_EQ(skiff::UnicodeToSjis(unicode), sjis) << unicode;
        if (sjis != 0) {
            ++characters;
            ASSERT_EQ(skiff::SjisToUnicode(sjis), unicode);
        }
    }
    EXPECT_EQ(characters, 6879);
    EXPECT_EQ(skiff::LookupSjisCode(0xFFFF), 0);
    EXPECT_EQ(skiff::LookupSjisCode(0x0000), 0);
    EXPECT_EQ(skiff::LookupSjisCode(0x005C), 0x815F);
    EXPECT_EQ(skiff::LookupSjisCode(0xFF3C), 0);
    EXPECT_EQ(skiff::SjisToUnicode(0x8740), 0);
    EXPECT_EQ(skiff::SjisToUnicode(0x81AD), 0);
}

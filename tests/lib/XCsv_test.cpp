// The text reader: opening, line table, line ends, columns, ranges and their bounds.
#include "ConvErrors.h"
#include "SkiffTempDir.h"
#include "XCsv.h"
#include "skiff.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace {

class TxtReader : public SkiffFileTest
{
protected:
    // Opens bytes as a comma-separated file with double quotes.
    void Open(const std::string& bytes, int lnCareQuote = 1, int lnCharSet = 1,
              const char* szDelimiter = ",")
    {
        const std::string path = temp.Write("data.csv", bytes);
        ASSERT_EQ(ReadTxtIni(path.c_str(), szDelimiter, "\"", lnCharSet, lnCareQuote), 0);
    }

    static std::string Line(int row)
    {
        std::vector<char> buffer(static_cast<std::size_t>(GetTxtLineLen(row)) + 1);
        EXPECT_EQ(GetTxtLine(row, buffer.data(), static_cast<int>(buffer.size())), 0);
        return buffer.data();
    }

    static std::string Col(int row, int col, int unescape = 1, int strip = 1)
    {
        std::vector<char> buffer(static_cast<std::size_t>(GetTxtColLen(row, col)) + 1, 'x');
        EXPECT_EQ(
            GetTxtCol(buffer.data(), static_cast<int>(buffer.size()), row, col, unescape, strip),
            0);
        return buffer.data();
    }

    // Every line followed by the file's line end, as the program writes a file back.
    static std::string Rebuilt()
    {
        static const char* const ends[] = {"", "\r\n", "\r", "\n"};
        std::string text;
        for (int row = 1; row <= GetTxtRowCnt(); ++row) {
            text += Line(row) + ends[GetTxtCrLf()];
        }
        return text;
    }
};

TEST_F(TxtReader, TwoLinesWithCrLf)
{
    Open("a,b\r\nc,d\r\n");
    EXPECT_EQ(GetTxtRowCnt(), 2);
    EXPECT_EQ(GetTxtLineLen(1), 3);
    EXPECT_EQ(GetTxtLineLen(2), 3);
    EXPECT_EQ(GetTxtColCnt(1), 2);
    EXPECT_EQ(GetTxtColCnt(2), 2);
    EXPECT_EQ(GetTxtCrLf(), 1);
    EXPECT_EQ(Line(2), "c,d");
    EXPECT_EQ(Col(2, 2), "d");
}

TEST_F(TxtReader, LineEndOfTheFile)
{
    Open("a,b\nc,d\n");
    EXPECT_EQ(GetTxtCrLf(), 3);
    Open("a,b\rc,d\r");
    EXPECT_EQ(GetTxtCrLf(), 2);
    Open("a,b");
    EXPECT_EQ(GetTxtCrLf(), 1);
    // A one-line file keeps its own line end when saved back.
    Open("a,b\n");
    EXPECT_EQ(GetTxtCrLf(), 3);
}

TEST_F(TxtReader, QuotedFieldKeepsCommaQuoteAndLineEnd)
{
    Open("x,\"a,b\"\"c\r\nd\",y\r\nnext\r\n");
    EXPECT_EQ(GetTxtRowCnt(), 2);
    EXPECT_EQ(GetTxtColCnt(1), 3);
    EXPECT_EQ(Col(1, 2), "a,b\"c\r\nd");
    EXPECT_EQ(Col(1, 2, 0, 1), "a,b\"\"c\r\nd");
    EXPECT_EQ(Col(1, 2, 0, 0), "\"a,b\"\"c\r\nd\"");
    EXPECT_EQ(GetTxtColLen(1, 2), 11);
    EXPECT_EQ(Col(1, 3), "y");
    EXPECT_EQ(Line(2), "next");
    // The program passes its true value, -1; only the low byte of a flag counts.
    EXPECT_EQ(Col(1, 2, -1, -1), "a,b\"c\r\nd");
    EXPECT_EQ(Col(1, 2, 0x100, 0x100), "\"a,b\"\"c\r\nd\"");
}

TEST_F(TxtReader, TrailBytesAreNeverDelimitersOrQuotes)
{
    // 0x88 0x9F has a trail byte in the lead range; 0x95 0x5C and 0x83 0x7C end in '\' and '|'.
    Open("\x88\x9F,\"\x95\x5C\",\x83\x7C\r\n");
    EXPECT_EQ(GetTxtColCnt(1), 3);
    EXPECT_EQ(Col(1, 1), "\x88\x9F");
    EXPECT_EQ(Col(1, 2), "\x95\x5C");
    EXPECT_EQ(Col(1, 3), "\x83\x7C");
    Open("\x83\x7C|b\r\n", 1, 1, "|");
    EXPECT_EQ(GetTxtColCnt(1), 2);
    EXPECT_EQ(Col(1, 1), "\x83\x7C");
    Open("\x95\x5C\\b\r\n", 1, 1, "\\");
    EXPECT_EQ(Col(1, 2), "b");
}

TEST_F(TxtReader, UnclosedQuoteRunsToTheEndOfTheFile)
{
    Open("a,\"b\r\nc\r\n");
    EXPECT_EQ(GetTxtRowCnt(), 1);
    EXPECT_EQ(GetTxtLineLen(1), 9);
    EXPECT_EQ(GetTxtColCnt(1), 2);
}

TEST_F(TxtReader, PlainModeSplitsAtEveryLineEnd)
{
    Open("a,\"b\r\nc,d\r\n", 0);
    EXPECT_EQ(GetTxtRowCnt(), 2);
    EXPECT_EQ(GetTxtColCnt(1), 0);
    EXPECT_EQ(Col(1, 2, 0, 0), "\"b");
    // The quote left open on line 1 does not reach into line 2.
    EXPECT_EQ(Col(2, 2), "d");
}

TEST_F(TxtReader, GetTxtLineNeedsRoomForTheTerminator)
{
    Open("abcd\r\n");
    char buffer[8] = "unused";
    EXPECT_EQ(GetTxtLine(1, buffer, 4), -1);
    EXPECT_STREQ(buffer, "unused");
    EXPECT_EQ(GetTxtLine(1, buffer, 5), 0);
    EXPECT_STREQ(buffer, "abcd");
}

TEST_F(TxtReader, SmallColumnBufferFailsAndLeavesItUnchanged)
{
    Open("\"long field\",x\r\n");
    char buffer[4] = "abc";
    EXPECT_EQ(GetTxtCol(buffer, 4, 1, 1, 1, 1), -1);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(GetTxtColLen(1, 1), 12);
    EXPECT_EQ(Col(1, 1), "long field");
}

TEST_F(TxtReader, ColumnsInAnyOrderGiveTheSameText)
{
    Open("1,\"a,b\",,\"\"\"q\"\"\",\x88\x9F\r\n\"x\",y\r\n");
    const std::vector<std::string> expected = {"1", "a,b", "", "\"q\"", "\x88\x9F"};
    for (int col = 1; col <= 5; ++col) {
        EXPECT_EQ(Col(1, col), expected[col - 1]);
    }
    for (int col = 5; col >= 1; --col) {
        EXPECT_EQ(Col(1, col), expected[col - 1]);
        EXPECT_EQ(Col(2, 1), "x");
    }
    for (int col : {3, 1, 4, 4, 2, 5}) {
        EXPECT_EQ(Col(1, col), expected[col - 1]);
    }
}

TEST_F(TxtReader, ColumnPastTheLastIsEmptyAndStaysInItsLine)
{
    Open("a,b\r\nc,d");
    EXPECT_EQ(Col(1, 2), "b");
    EXPECT_EQ(Col(1, 3), "");
    EXPECT_EQ(GetTxtColLen(1, 3), 0);
    EXPECT_EQ(Col(1, 40), "");
    EXPECT_EQ(Col(2, 2), "d");
    EXPECT_EQ(Col(2, 3), "");
    Open("a,\r\n");
    EXPECT_EQ(GetTxtColCnt(1), 2);
    EXPECT_EQ(Col(1, 2), "");
}

TEST_F(TxtReader, EmptyLinesAreLinesOfLengthZero)
{
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        for (int careQuote : {0, 1}) {
            SCOPED_TRACE(careQuote);
            const std::string text = "a" + end + end + "b" + end + end;
            Open(text, careQuote);
            ASSERT_EQ(GetTxtRowCnt(), 4);
            EXPECT_EQ(GetTxtLineLen(1), 1);
            EXPECT_EQ(GetTxtLineLen(2), 0);
            EXPECT_EQ(Line(3), "b");
            EXPECT_EQ(GetTxtLineLen(4), 0);
            EXPECT_EQ(Rebuilt(), text);
        }
    }
}

TEST_F(TxtReader, FileEndsDoNotAddLines)
{
    Open("");
    EXPECT_EQ(GetTxtRowCnt(), 0);
    Open("a\r\n");
    EXPECT_EQ(GetTxtRowCnt(), 1);
    Open("a\r\nb");
    EXPECT_EQ(GetTxtRowCnt(), 2);
    EXPECT_EQ(Line(2), "b");
    Open("\r\n");
    EXPECT_EQ(GetTxtRowCnt(), 1);
    EXPECT_EQ(GetTxtLineLen(1), 0);
    EXPECT_EQ(GetTxtColCnt(1), 1);
}

TEST_F(TxtReader, LineRangesStayInTheLineAndTheBuffer)
{
    Open("abcdef\r\nNEXT\r\n");
    std::vector<char> buffer(16, '#');
    EXPECT_EQ(GetTxtLineLoc(1, buffer.data(), 1, 3), 0);
    EXPECT_EQ(std::string(buffer.data()), "bcd");
    EXPECT_EQ(buffer[4], '#');
    // Past the line's end only the line's bytes, never the next line's.
    std::fill(buffer.begin(), buffer.end(), '#');
    EXPECT_EQ(GetTxtLineLoc(1, buffer.data(), 4, 8), 0);
    EXPECT_EQ(std::string(buffer.data()), "ef");
    EXPECT_EQ(buffer[9], '#');
    EXPECT_EQ(GetTxtLineLoc(1, buffer.data(), 20, 3), 0);
    EXPECT_EQ(std::string(buffer.data()), "");
    EXPECT_EQ(GetTxtLineLoc(1, buffer.data(), 0, 0), 0);
    EXPECT_EQ(std::string(buffer.data()), "");
}

TEST_F(TxtReader, BadArgumentsGiveTheFailureValue)
{
    Open("a,b\r\n");
    char buffer[8];
    EXPECT_EQ(GetTxtLineLoc(1, buffer, -1, 2), -1);
    EXPECT_EQ(GetTxtLineLoc(1, buffer, 0, -2), -1);
    EXPECT_EQ(GetTxtLineLoc(2, buffer, 0, 1), -1);
    EXPECT_EQ(GetTxtLineLoc(1, nullptr, 0, 1), -1);
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, -3, 1, 8, 1), -1);
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 0, -2, 8, 1), -1);
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 0, 1, 8, 9), -1);
    EXPECT_EQ(GetTxtLine(0, buffer, 8), -1);
    EXPECT_EQ(GetTxtLine(1, nullptr, 8), -1);
    EXPECT_EQ(GetTxtLineLen(2), -1);
    EXPECT_EQ(GetTxtColCnt(-1), 0);
    EXPECT_EQ(GetTxtColLen(1, 0), -1);
    EXPECT_EQ(GetTxtCol(buffer, 8, 1, 0, 1, 1), -1);
    EXPECT_EQ(GetTxtCol(buffer, 8, 3, 1, 1, 1), -1);
    EXPECT_EQ(GetTxtCol(nullptr, 8, 1, 1, 1, 1), -1);
}

TEST_F(TxtReader, NothingOpenGivesTheFailureValues)
{
    Terminate();
    char buffer[8];
    EXPECT_EQ(GetTxtRowCnt(), 0);
    EXPECT_EQ(GetTxtLine(1, buffer, 8), -1);
    EXPECT_EQ(GetTxtLineLen(1), -1);
    EXPECT_EQ(GetTxtColCnt(1), 0);
    EXPECT_EQ(GetTxtCol(buffer, 8, 1, 1, 1, 1), -1);
    EXPECT_EQ(GetTxtCrLf(), 0);
    EXPECT_EQ(WriteTxtIni("ignored"), 0);
}

TEST_F(TxtReader, FixedLengthRangesConvertFieldByField)
{
    // A JIS field between two ASCII ones, in a file opened without conversion.
    Open("ab\x1B$B4A;z\x1B(Bcd\r\n", 0);
    char buffer[16];
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 2, 10, 16, 2), 0);
    EXPECT_STREQ(buffer, "\x8A\xBF\x8E\x9A");
    // The converted text and its terminator need five bytes.
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 2, 10, 5, 2), 0);
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 2, 10, 4, 2), -1);
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 12, -1, 16, 2), 0);
    EXPECT_STREQ(buffer, "cd");
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 0, 2, 16, 1), 0);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 0, -1, 14, 1), -1);
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 0, -1, 15, 1), 0);
    // Past the line the rest is empty.
    EXPECT_EQ(GetTxtLineLocConv(1, buffer, 30, -1, 16, 1), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(TxtReader, WholeFilesAreConvertedToShiftJis)
{
    Open("\xB4\xC1\xBB\xFA,x\r\n", 1, 3);
    EXPECT_EQ(Col(1, 1), "\x8A\xBF\x8E\x9A");
    Open("\x1B$B4A;z\x1B(B,x\r\n", 1, 2);
    EXPECT_EQ(Col(1, 1), "\x8A\xBF\x8E\x9A");
    EXPECT_EQ(Col(1, 2), "x");
}

TEST_F(TxtReader, Utf8ByteOrderMarkIsSkipped)
{
    Open("\xEF\xBB\xBF\xE6\x97\xA5\xE6\x9C\xAC,x\r\ny,z\r\n", 1, 4);
    EXPECT_EQ(GetTxtRowCnt(), 2);
    EXPECT_EQ(Col(1, 1), "\x93\xFA\x96\x7B");
    EXPECT_EQ(Line(2), "y,z");
}

TEST_F(TxtReader, NulBytesAreHandedOutAsGetaMarks)
{
    Open(std::string("ab\0c,d\r\n", 8));
    EXPECT_EQ(GetTxtLineLen(1), 7);
    EXPECT_EQ(Line(1), "ab\x81\xAC"
                       "c,d");
    EXPECT_EQ(Col(1, 1), "ab\x81\xAC"
                         "c");
    EXPECT_EQ(Col(1, 2), "d");
}

TEST_F(TxtReader, RefusedOpensLeaveNoLines)
{
    Open("a\r\n");
    EXPECT_EQ(ReadTxtIni(temp.Path("missing.csv").c_str(), ",", "\"", 1, 1), -1);
    EXPECT_EQ(GetTxtRowCnt(), 0);
    const std::string path = temp.Write("data.csv", "a\r\n");
    EXPECT_EQ(ReadTxtIni(path.c_str(), ",", "\"", 0, 1), -1);
    EXPECT_EQ(ReadTxtIni(path.c_str(), ",", "\"", 5, 1), -1);
    EXPECT_EQ(ReadTxtIni(nullptr, ",", "\"", 1, 1), -1);
    EXPECT_EQ(ReadTxtIni(path.c_str(), nullptr, "\"", 1, 1), -1);
    EXPECT_EQ(ReadTxtIni(path.c_str(), ",", nullptr, 1, 1), -1);
    EXPECT_EQ(ReadTxtIni(temp.Path("").c_str(), ",", "\"", 1, 1), -1);
}

TEST_F(TxtReader, FilesOf2GiBAreRefused)
{
    const std::string path = temp.Write("huge.csv", "");
    // A sparse file: its size is what counts, not its blocks.
    std::filesystem::resize_file(path, std::uintmax_t(1) << 31);
    EXPECT_EQ(ReadTxtIni(path.c_str(), ",", "\"", 1, 1), -1);
    EXPECT_EQ(GetTxtRowCnt(), 0);
}

TEST_F(TxtReader, LineTableIsReservedFromTheFirstLinesAndGrowsInSteps)
{
    // Lines of the same length: the line ends at the start tell their number, and a tenth
    // more is reserved.
    std::string text;
    for (int i = 0; i < 1500; ++i)
        text += "abcdefghijklmnopqrstuvwxyz\r\n";
    XCsv csv(',', '"');
    ASSERT_TRUE(csv.Load(temp.Write("lines.csv", text).c_str(), 1, true));
    EXPECT_EQ(csv.RowCount(), 1500);
    EXPECT_EQ(csv.LineCapacity(), 1500 + 150 + 16);
    // Very short lines reserve no more than one line per 16 bytes; past that the table grows
    // in steps, and past a million lines it doubles instead of growing line by line.
    XCsv many(',', '"');
    ASSERT_TRUE(many.Load(temp.Write("many.csv", std::string(1000001, '\n')).c_str(), 1, false));
    EXPECT_EQ(many.RowCount(), 1000001);
    EXPECT_EQ(many.LineCapacity(), 2000002);
    XCsv small(',', '"');
    ASSERT_TRUE(small.Load(temp.Write("small.csv", "a\nb\n").c_str(), 1, false));
    EXPECT_EQ(small.LineCapacity(), 16);
    try {
        small.Line(3);
        FAIL() << "row 3 of 2 was accepted";
    } catch (XCsv::ECsvError error) {
        EXPECT_EQ(error, XCsv::ecsvBadRow);
    }
}

} // namespace

namespace {

// Everything a line table answers, row by row, for comparing two tables of the same text.
std::string TableOf(XCsv& csv, bool bCareQuote)
{
    std::string table = std::to_string(csv.RowCount()) + " " + std::to_string(csv.LineCapacity()) +
                        " " + std::to_string(csv.LineEndCode()) + " " +
                        std::to_string(csv.HasNul() ? 1 : 0) + "\n";
    for (int row = 1; row <= csv.RowCount(); ++row) {
        const XCsvLine& line = csv.Line(row);
        table += std::to_string(line.lnStart) + "," + std::to_string(line.lnLength) + "," +
                 std::to_string(line.lnColCount) + ":";
        for (int col = 1; bCareQuote && col <= line.lnColCount + 1; ++col) {
            const XCsvColumn column = csv.Column(row, col);
            table += std::to_string(column.szText - csv.LineText(line)) + "+" +
                     std::to_string(column.lnLength) + " ";
        }
        table += "\n";
    }
    return table;
}

// Random text of the bytes that matter to the line walk: delimiters, quotes, both line ends,
// lead bytes, NULs and plain bytes.
std::string RandomText(unsigned seed, std::size_t nSize, bool bQuotes)
{
    static const char kBytes[] = {'a',    'b',    ',',    ',',    '\r', '\n', '\n',
                                  '\x81', '\x82', '\xE0', '\x40', '\0', '"',  '"'};
    const std::size_t kinds = bQuotes ? sizeof kBytes : sizeof kBytes - 2;
    std::string text;
    for (std::size_t i = 0; i < nSize; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += kBytes[(seed >> 16) % kinds];
    }
    return text;
}

} // namespace

TEST_F(TxtReader, HalvesOnTwoThreadsGiveTheTableOfOne)
{
    const int usual = XCsv::SetHalvesSize(1 << 30);
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const bool quotes = seed % 2 == 0;
        const std::string path =
            temp.Write("halves.csv", RandomText(seed, 64 * (seed % 7) + 100 + seed * 37, quotes));
        for (const bool careQuote : {true, false}) {
            XCsv::SetHalvesSize(1 << 30);
            XCsv one(',', '"');
            ASSERT_TRUE(one.Load(path.c_str(), 1, careQuote));
            XCsv::SetHalvesSize(1);
            XCsv two(',', '"');
            ASSERT_TRUE(two.Load(path.c_str(), 1, careQuote));
            EXPECT_EQ(TableOf(two, careQuote), TableOf(one, careQuote))
                << "seed " << seed << (careQuote ? " quote-aware" : " plain");
        }
    }
    XCsv::SetHalvesSize(usual);
}

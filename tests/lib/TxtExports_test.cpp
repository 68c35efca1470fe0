// The text reader's exports on malformed text: NUL bytes, lone lead bytes, unassigned codes,
// the retry sizes of the length functions and the causes of a failed open.
#include "SkiffTempDir.h"
#include "skiff.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kGeta = "\x81\xAC";

class TxtExports : public SkiffFileTest
{
protected:
    int Open(const std::string& bytes, int lnCharSet, int lnCareQuote = 1)
    {
        const std::string path = temp.Write("data.csv", bytes);
        return ReadTxtIni(path.c_str(), ",", "\"", lnCharSet, lnCareQuote);
    }

    // A column read at the size GetTxtColLen promises.
    static std::string Col(int row, int col)
    {
        std::vector<char> buffer(static_cast<std::size_t>(GetTxtColLen(row, col)) + 1, 'x');
        EXPECT_EQ(GetTxtCol(buffer.data(), static_cast<int>(buffer.size()), row, col, 1, 1), 0);
        return buffer.data();
    }

    static std::string Line(int row)
    {
        std::vector<char> buffer(static_cast<std::size_t>(GetTxtLineLen(row)) + 1, 'x');
        EXPECT_EQ(GetTxtLine(row, buffer.data(), static_cast<int>(buffer.size())), 0);
        return buffer.data();
    }
};

} // namespace

TEST_F(TxtExports, NulByteBecomesGetaInEveryCharSetAndNoRecordIsLost)
{
    // "a<NUL>b,c" then two more records, in each set's own bytes.
    const std::string nul(1, '\0');
    const std::vector<std::pair<int, std::string>> files = {
        {1, "a" + nul + "b,c\r\nd,e\r\nf,g\r\n"},
        {2, "a" + nul + "b,c\r\n\x1B$B0!\x1B(B,e\r\nf,g\r\n"},
        {3, "a" + nul + "b,c\r\n\xB0\xA1,e\r\nf,g\r\n"},
        {4, "a" + nul + "b,c\r\n\xE4\xBA\x9C,e\r\nf,g\r\n"},
    };
    for (const auto& [charSet, bytes] : files) {
        SCOPED_TRACE(charSet);
        ASSERT_EQ(Open(bytes, charSet), 0);
        ASSERT_EQ(GetTxtRowCnt(), 3);
        EXPECT_EQ(Col(1, 1), "a" + kGeta + "b");
        EXPECT_EQ(Col(1, 2), "c");
        EXPECT_EQ(Col(3, 2), "g");
        EXPECT_EQ(GetConvErrCnt(), 1);
        EXPECT_EQ(Line(1), "a" + kGeta + "b,c");
    }
}

TEST_F(TxtExports, NulInAFixedLengthFieldIsMendedAfterItsRangeIsCut)
{
    const std::string nul(1, '\0');
    ASSERT_EQ(Open("ab" + nul + "de\r\n", 1, 0), 0);
    char buffer[16];
    ASSERT_EQ(GetTxtLineLocConv(1, buffer, 1, 3, sizeof buffer, 1), 0);
    EXPECT_EQ(std::string(buffer), "b" + kGeta + "d");
    ASSERT_EQ(GetTxtLineLocConv(1, buffer, 0, -1, sizeof buffer, 3), 0);
    EXPECT_EQ(std::string(buffer), "ab" + kGeta + "de");
    EXPECT_EQ(GetConvErrCnt(), 2);
}

TEST_F(TxtExports, LoneLeadByteEndingAFieldIsReadAsGeta)
{
    ASSERT_EQ(Open("1,a\x82\r\n2,b\r\n3,\"c\x82\"\r\n4,d\r\n", 1), 0);
    EXPECT_EQ(Col(1, 2), "a" + kGeta);
    EXPECT_EQ(GetConvErrCnt(), 1);
    // A quote after a lead byte is its trail byte: that field runs on to the end of the file.
    EXPECT_EQ(GetTxtRowCnt(), 3);
}

TEST_F(TxtExports, TooSmallBufferIsRefusedUntouchedAndTheLengthSuffices)
{
    ASSERT_EQ(Open(std::string("a\0b,c\x82\r\n", 8), 1), 0);
    const int needed = GetTxtColLen(1, 1) + 1;
    EXPECT_GE(needed, 5);
    std::vector<char> buffer(static_cast<std::size_t>(needed), 'u');
    EXPECT_EQ(GetTxtCol(buffer.data(), 4, 1, 1, 1, 1), -1);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 4), "uuuu");
    EXPECT_EQ(GetTxtCol(buffer.data(), needed, 1, 1, 1, 1), 0);
    EXPECT_EQ(Col(1, 2), "c" + kGeta);
    EXPECT_EQ(Line(1), "a" + kGeta + "b,c" + kGeta);
}

TEST_F(TxtExports, UnassignedCodesAreCountedWhereTheyAreRead)
{
    // Row 13 (NEC's circled digits in Shift-JIS) is no part of JIS X 0208.
    ASSERT_EQ(Open("\xAD\xA1,x\n", 3), 0);
    EXPECT_EQ(Col(1, 1), kGeta);
    EXPECT_EQ(GetConvErrCnt(), 1);
    ASSERT_EQ(Open("\x1B$B-!\x1B(B,x\n", 2), 0);
    EXPECT_EQ(Col(1, 1), kGeta);
    EXPECT_EQ(GetConvErrCnt(), 1);
}

TEST_F(TxtExports, FailedOpensNameTheirCause)
{
    const std::string missing = temp.Path("none.csv");
    EXPECT_EQ(ReadTxtIni(missing.c_str(), ",", "\"", 1, 1), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_NOT_FOUND);
    EXPECT_EQ(ReadBinIni(missing.c_str()), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_NOT_FOUND);
    EXPECT_EQ(ReadTxtIni(temp.Path("").c_str(), ",", "\"", 1, 1), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_NOT_REGULAR);
    EXPECT_EQ(ReadTxtIni(missing.c_str(), ",", "\"", 5, 1), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_BAD_CHARSET);
    EXPECT_EQ(WriteBinIni(temp.Path("no/such/folder.csv").c_str()), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_NOT_FOUND);

    // A sparse file of 2 GiB costs no disk space.
    const std::string large = temp.Write("large.csv", "");
    std::filesystem::resize_file(large, 2147483647);
    EXPECT_EQ(ReadTxtIni(large.c_str(), ",", "\"", 1, 1), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_TOO_LARGE);

    ASSERT_EQ(Open("a\n", 1), 0);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_OK);
}

TEST_F(TxtExports, LargeFileKeepsEveryLineAndColumnAcrossItsMiddle)
{
    // Large enough to be read in two parts; quoted fields with line ends and delimiters
    // inside them run across the middle of the file.
    std::string bytes;
    constexpr int kLines = 200000;
    for (int i = 1; i <= kLines; ++i)
        bytes += std::to_string(i) + ",\"a,\r\n" +
                 std::string(static_cast<std::size_t>(i % 150), 'x') + "\",\x93\xFA\x96\x7B\r\n";
    ASSERT_GT(bytes.size(), std::size_t(16) << 20);
    ASSERT_EQ(Open(bytes, 1), 0);
    ASSERT_EQ(GetTxtRowCnt(), kLines);
    for (const int row : {1, kLines / 2, kLines / 2 + 1, kLines}) {
        EXPECT_EQ(GetTxtColCnt(row), 3);
        EXPECT_EQ(Col(row, 1), std::to_string(row));
        EXPECT_EQ(Col(row, 2), "a,\r\n" + std::string(static_cast<std::size_t>(row % 150), 'x'));
        EXPECT_EQ(Col(row, 3), "\x93\xFA\x96\x7B");
    }
    EXPECT_EQ(GetConvErrCnt(), 0);
}

// File names arrive in Shift-JIS and must reach the file system as its own names.
#include "SkiffFile.h"
#include "SkiffTempDir.h"

#include <gtest/gtest.h>

namespace {
// 売上ソ.csv: ソ (0x83 0x5C) ends in a byte that looks like a backslash.
const char kSjisName[] = "\x94\x84\x8F\xE3\x83\x5C.csv";
const char kUtf8Name[] = "\xE5\xA3\xB2\xE4\xB8\x8A\xE3\x82\xBD.csv";
} // namespace

TEST(SkiffFile, ShiftJisNamesBecomeUtf8AndAsciiStays)
{
    EXPECT_EQ(skiff::NativeFileName(kSjisName), kUtf8Name);
    EXPECT_EQ(skiff::NativeFileName("/tmp/a\\b~c.txt"), "/tmp/a\\b~c.txt");
    // Half-width katakana ｱ.
    EXPECT_EQ(skiff::NativeFileName("\xB1"), "\xEF\xBD\xB1");
    // A lead byte at the very end is not read past.
    EXPECT_EQ(skiff::NativeFileName("a\x83").substr(0, 1), "a");
}

TEST(SkiffFile, ReaderAndStreamsOpenJapaneseNames)
{
    SkiffTempDir dir;
    dir.Write(kUtf8Name, "a,b\r\nc,d\r\n");
    const std::string sjisPath = dir.Path("") + kSjisName;
    ASSERT_EQ(ReadTxtIni(sjisPath.c_str(), ",", "\"", 1, 1), 0);
    EXPECT_EQ(GetTxtRowCnt(), 2);
    Terminate();

    ASSERT_EQ(ReadBinIni(sjisPath.c_str()), 0);
    char buffer[4] = {};
    EXPECT_EQ(ReadBinString(buffer, 3), 0);
    EXPECT_STREQ(buffer, "a,b");
    Terminate();

    const std::string written = dir.Path("") + "\x8F\x91.txt"; // 書.txt
    ASSERT_EQ(WriteBinIni(written.c_str()), 0);
    EXPECT_EQ(WriteTxtConvStr("x", 1), 0);
    Terminate();
    EXPECT_TRUE(std::filesystem::exists(dir.Path("\xE6\x9B\xB8.txt")));
}

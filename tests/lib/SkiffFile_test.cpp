// File names reach the file system as their own bytes, both ways, whatever characters they hold.
#include "SkiffFile.h"
#include "SkiffTempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names whose characters have no JIS X 0208 code, or two Unicode readings of one: ～ (U+FF5E)
// and 〜 (U+301C), ① (NEC), 髙 (IBM), ¥, － (U+FF0D), é and an emoji.
const std::vector<std::string>& Names()
{
    static const std::vector<std::string> names = {
        "\xEF\xBD\x9E.csv", "\xE3\x80\x9C.csv",     "\xE2\x91\xA0.csv",
        "\xE9\xAB\x99.csv", "\xC2\xA5.csv",         "\xEF\xBC\x8D.csv",
        "caf\xC3\xA9.csv",  "\xF0\x9F\x98\x80.csv", "\xE5\xA3\xB2\xE4\xB8\x8A\xE3\x82\xBD.csv"};
    return names;
}

} // namespace

TEST(SkiffFile, NamesPassUntouched)
{
    for (const std::string& name : Names()) {
        EXPECT_EQ(skiff::NativeFileName(name.c_str()), name);
    }
    EXPECT_EQ(skiff::NativeFileName("/tmp/a\\b~c.txt"), "/tmp/a\\b~c.txt");
    // Shift-JIS bytes are not a name of this file system's encoding: they stay as they are.
    EXPECT_EQ(skiff::NativeFileName("\x83\x5C"), "\x83\x5C");
}

TEST_F(SkiffFileTest, EveryNameOpensAndSavesAsItself)
{
    for (const std::string& name : Names()) {
        SCOPED_TRACE(name);
        const std::string path = temp.Write(name, "a,b\r\nc,d\r\n");
        ASSERT_EQ(ReadTxtIni(path.c_str(), ",", "\"", 1, 1), 0);
        EXPECT_EQ(GetTxtRowCnt(), 2);
        Terminate();

        ASSERT_EQ(ReadBinIni(path.c_str()), 0);
        char buffer[4] = {};
        EXPECT_EQ(ReadBinString(buffer, 3), 0);
        EXPECT_STREQ(buffer, "a,b");
        Terminate();

        const std::string written = temp.Path("w" + name);
        ASSERT_EQ(WriteBinIni(written.c_str()), 0);
        EXPECT_EQ(WriteTxtConvStr("x", 1), 0);
        Terminate();
        EXPECT_EQ(SkiffTempDir::Read(written), "x");
    }
}

TEST_F(SkiffFileTest, FullWidthTildeNeverReachesTheWaveDashFile)
{
    const std::string waveDash = temp.Write("\xE3\x80\x9C.csv", "wave\r\n");
    const std::string tilde = temp.Path("\xEF\xBD\x9E.csv");
    EXPECT_EQ(ReadTxtIni(tilde.c_str(), ",", "\"", 1, 1), -1);
    EXPECT_EQ(GetLastStatus(), SKIFF_STATUS_NOT_FOUND);
    ASSERT_EQ(WriteBinIni(tilde.c_str()), 0);
    EXPECT_EQ(WriteTxtConvStr("tilde", 1), 0);
    Terminate();
    EXPECT_EQ(SkiffTempDir::Read(waveDash), "wave\r\n");
    EXPECT_EQ(SkiffTempDir::Read(tilde), "tilde");
}

// The byte stream: raw fields, the end of file, converting reads and writes, misuse.
#include "SkiffTempDir.h"
#include "skiff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class BinStream : public SkiffFileTest
{
protected:
    // Writes through the stream and returns the bytes the file ends up with.
    template <typename Body> std::string Written(Body body)
    {
        const std::string path = temp.Path("out.bin");
        EXPECT_EQ(WriteBinIni(path.c_str()), 0);
        body();
        Terminate();
        return SkiffTempDir::Read(path);
    }

    void OpenForReading(const std::string& bytes)
    {
        ASSERT_EQ(ReadBinIni(temp.Write("in.bin", bytes).c_str()), 0);
    }
};

TEST_F(BinStream, NumbersGoOutAndComeBackAsTheyLieInMemory)
{
    const std::int16_t shortValue = -2;
    const std::int32_t longValue = 123456789;
    const float floatValue = 1.5f;
    const double doubleValue = -0.25;
    const std::string bytes = Written([&] {
        EXPECT_EQ(WriteBinShort(&shortValue, 2), 0);
        EXPECT_EQ(WriteBinLong(&longValue, 4), 0);
        EXPECT_EQ(WriteBinFloat(&floatValue, 4), 0);
        EXPECT_EQ(WriteBinDouble(&doubleValue, 8), 0);
        EXPECT_EQ(WriteBinString("ab", 2), 0);
    });
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(std::memcmp(bytes.data() + 2, &longValue, 4), 0);

    OpenForReading(bytes);
    std::int16_t shortRead = 0;
    std::int32_t longRead = 0;
    float floatRead = 0;
    double doubleRead = 0;
    char text[3] = {};
    EXPECT_EQ(ReadBinShort(&shortRead, 2), 0);
    EXPECT_EQ(ReadBinLong(&longRead, 4), 0);
    EXPECT_EQ(ReadBinFloat(&floatRead, 4), 0);
    EXPECT_EQ(ReadBinDouble(&doubleRead, 8), 0);
    EXPECT_EQ(ReadBinString(text, 2), 0);
    EXPECT_EQ(shortRead, shortValue);
    EXPECT_EQ(longRead, longValue);
    EXPECT_EQ(floatRead, floatValue);
    EXPECT_EQ(doubleRead, doubleValue);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(GetEOF(), 0);
}

TEST_F(BinStream, ShortReadAtTheEndSetsEndOfFile)
{
    OpenForReading("abc");
    std::int32_t value = 0;
    EXPECT_EQ(ReadBinLong(&value, 4), -1);
    EXPECT_NE(GetEOF(), 0);
}

TEST_F(BinStream, RecordLoopStopsOneReadPastTheLastRecord)
{
    std::string file;
    for (std::int16_t record = 1; record <= 3; ++record) {
        const std::int32_t value = record * 10;
        file.append(reinterpret_cast<const char*>(&record), 2);
        file.append(reinterpret_cast<const char*>(&value), 4);
    }
    OpenForReading(file);
    int records = 0;
    int lastResult = 0;
    while (GetEOF() == 0) {
        ++records;
        std::int16_t key = 0;
        std::int32_t value = 0;
        lastResult = ReadBinShort(&key, 2);
        if (lastResult == 0) {
            EXPECT_EQ(ReadBinLong(&value, 4), 0);
            EXPECT_EQ(value, key * 10);
        }
    }
    EXPECT_EQ(records, 4);
    EXPECT_EQ(lastResult, -1);
}

TEST_F(BinStream, ConvertingReadsGiveShiftJis)
{
    OpenForReading("\xB4\xC1\xBB\xFA  " // EUC-JP: two kanji and two spaces
                   "\x8A\xBF\x8E\x9A  "
                   "\xE6\xBC\xA2xyz");
    // The field is read into a buffer of exactly its width: nothing past it is read.
    std::vector<char> field(6);
    EXPECT_EQ(ReadBinConvStr(field.data(), 6, 3), 0);
    EXPECT_EQ(std::string(field.data(), 6), "\x8A\xBF\x8E\x9A  ");
    EXPECT_EQ(ReadBinConvStr(field.data(), 6, 1), 0);
    EXPECT_EQ(std::string(field.data(), 6), "\x8A\xBF\x8E\x9A  ");
    // UTF-8 shrinks; the rest of the field is filled with NUL bytes.
    EXPECT_EQ(ReadBinConvStr(field.data(), 6, 4), 0);
    EXPECT_EQ(std::string(field.data(), 6), std::string("\x8A\xBFxyz\0", 6));
}

TEST_F(BinStream, ConvertingReadWithAnUnknownSetFails)
{
    OpenForReading("abcd");
    char field[5] = {};
    EXPECT_EQ(ReadBinConvStr(field, 4, 9), -1);
    EXPECT_EQ(ReadBinConvStr(field, 4, 1), -1);
    EXPECT_NE(GetEOF(), 0);
}

TEST_F(BinStream, ConvertingWritesKeepTheFieldWidth)
{
    const std::string kanji = "\x8A\xBF\x8E\x9A";
    EXPECT_EQ(Written([&] { EXPECT_EQ(WriteBinConvStr(kanji.c_str(), 4, 2), 0); }), "\x1B$B4");
    EXPECT_EQ(Written([&] { EXPECT_EQ(WriteBinConvStr(kanji.c_str(), 4, 3), 0); }),
              "\xB4\xC1\xBB\xFA");
    EXPECT_EQ(Written([&] { EXPECT_EQ(WriteBinConvStr("abcdef", 4, 1), 0); }), "abcd");
    // A shorter text is followed by NUL bytes up to the width, never by bytes past its end.
    EXPECT_EQ(Written([&] { EXPECT_EQ(WriteBinConvStr("ab", 4, 1), 0); }),
              std::string("ab\0\0", 4));
    EXPECT_EQ(Written([&] { EXPECT_EQ(WriteBinConvStr("a", 3, 4), 0); }), std::string("a\0\0", 3));
    EXPECT_EQ(Written([&] { EXPECT_EQ(WriteBinConvStr("ab", 4, 5), -1); }), "");
}

TEST_F(BinStream, TextWritesConvertWholeTexts)
{
    EXPECT_EQ(Written([] { EXPECT_EQ(WriteTxtConvStr("a\x8A\xBF", 2), 0); }), "a\x1B$B4A\x1B(B");
    EXPECT_EQ(Written([] { EXPECT_EQ(WriteTxtConvStr("\x93\xFA\r\n", 4), 0); }),
              "\xE6\x97\xA5\r\n");
    EXPECT_EQ(Written([] { EXPECT_EQ(WriteTxtConvStr("raw \x81", 1), 0); }), "raw \x81");
    EXPECT_EQ(Written([] { EXPECT_EQ(WriteTxtConvStr("abc", 7), -1); }), "");
    EXPECT_EQ(Written([] { EXPECT_EQ(WriteTxtConvStr(nullptr, 1), -1); }), "");
}

TEST_F(BinStream, OpeningAnotherStreamClosesTheFirst)
{
    const std::string first = temp.Path("first.bin");
    ASSERT_EQ(WriteBinIni(first.c_str()), 0);
    EXPECT_EQ(WriteBinString("xy", 2), 0);
    ASSERT_EQ(ReadBinIni(temp.Write("second.bin", "z").c_str()), 0);
    EXPECT_EQ(SkiffTempDir::Read(first), "xy");
    char byte = 0;
    EXPECT_EQ(ReadBinString(&byte, 1), 0);
    EXPECT_EQ(byte, 'z');
}

TEST_F(BinStream, MisuseFailsWithoutACrash)
{
    Terminate();
    char buffer[4] = {};
    EXPECT_EQ(ReadBinString(buffer, 1), -1);
    EXPECT_EQ(WriteBinString(buffer, 1), -1);
    EXPECT_EQ(WriteTxtConvStr("a", 1), -1);
    EXPECT_EQ(ReadBinConvStr(buffer, 1, 1), -1);
    EXPECT_NE(GetEOF(), 0);

    OpenForReading("abcd");
    EXPECT_EQ(WriteBinString("a", 1), -1);
    EXPECT_EQ(ReadBinString(buffer, -1), -1);
    EXPECT_EQ(ReadBinString(nullptr, 2), -1);
    EXPECT_EQ(ReadBinString(buffer, 0), 0);
    EXPECT_EQ(ReadBinConvStr(buffer, -2, 3), -1);

    ASSERT_EQ(WriteBinIni(temp.Path("out.bin").c_str()), 0);
    EXPECT_EQ(ReadBinString(buffer, 1), -1);
    EXPECT_EQ(WriteBinString(buffer, -1), -1);
    EXPECT_EQ(WriteBinConvStr(nullptr, 2, 1), -1);
    EXPECT_EQ(WriteBinConvStr("a", -2, 1), -1);
}

TEST_F(BinStream, UnopenableAndHugeFilesAreRefused)
{
    EXPECT_EQ(ReadBinIni(temp.Path("missing.bin").c_str()), -1);
    EXPECT_EQ(ReadBinIni(nullptr), -1);
    EXPECT_EQ(ReadBinIni(temp.Path("").c_str()), -1);
    EXPECT_EQ(WriteBinIni(temp.Path("no/such/folder.bin").c_str()), -1);
    EXPECT_EQ(WriteBinIni(nullptr), -1);
    const std::string huge = temp.Write("huge.bin", "");
    std::filesystem::resize_file(huge, std::uintmax_t(1) << 31);
    EXPECT_EQ(ReadBinIni(huge.c_str()), -1);
    char byte = 0;
    EXPECT_EQ(ReadBinString(&byte, 1), -1);
}

} // namespace

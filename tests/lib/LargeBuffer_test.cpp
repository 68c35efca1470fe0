// Reading whole files into one buffer, large ones by two threads at once.
#include "LargeBuffer.h"
#include "SkiffTempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// Bytes that differ from page to page, so that a part read into the wrong place shows.
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
    return bytes;
}

// Reads the file's first lnSize bytes with ReadWhole into a buffer of that size.
long long ReadFile(const std::string& path, std::size_t size, std::string& out)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr);
    out.assign(size, 'u');
    const long long got = skiff::ReadWhole(file, out.data(), size);
    std::fclose(file);
    return got;
}

} // namespace

TEST(LargeBuffer, LargeFileIsReadWholeAndInOrder)
{
    const SkiffTempDir temp;
    // Above the size split between two threads, and not a multiple of any page.
    const std::string bytes = Pattern((std::size_t(37) << 20) + 4097);
    const std::string path = temp.Write("large.bin", bytes);
    std::string read;
    EXPECT_EQ(ReadFile(path, bytes.size(), read), static_cast<long long>(bytes.size()));
    EXPECT_TRUE(read == bytes);
}

TEST(LargeBuffer, SmallFileIsReadWhole)
{
    const SkiffTempDir temp;
    const std::string bytes = Pattern(10000);
    const std::string path = temp.Write("small.bin", bytes);
    std::string read;
    EXPECT_EQ(ReadFile(path, bytes.size(), read), 10000);
    EXPECT_TRUE(read == bytes);
}

TEST(LargeBuffer, FileShorterThanAskedGivesWhatItHolds)
{
    const SkiffTempDir temp;
    for (const std::size_t size :
         {std::size_t(5000), std::size_t(4) << 20, std::size_t(20) << 20}) {
        const std::string bytes = Pattern(size);
        const std::string path = temp.Write("short.bin", bytes);
        std::string read;
        // As when the file shrank between measuring it and reading it.
        EXPECT_EQ(ReadFile(path, size + (std::size_t(16) << 20), read),
                  static_cast<long long>(size));
        EXPECT_TRUE(read.compare(0, size, bytes) == 0);
    }
}

// Fuzz target: the text reader's every query on every line of an arbitrary file.
#include "skiff.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// One file per process, in memory where the system offers it, removed at exit.
const std::string& InputPath()
{
    static const std::string path = [] {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return (folder / ("skiff_fuzz_text_" + std::to_string(getpid()))).string();
    }();
    static const bool cleanup = [] {
        return std::atexit([] { std::remove(InputPath().c_str()); }) == 0;
    }();
    (void)cleanup;
    return path;
}

void Check(bool bCondition)
{
    if (!bCondition) {
        __builtin_trap();
    }
}

// Asks one column with a buffer that fits it exactly and with one that is too small.
void QueryColumn(int row, int col, bool bCareQuote, int columns)
{
    const int length = GetTxtColLen(row, col);
    Check(length >= 0);
    Check(!bCareQuote || col <= columns || length == 0);
    for (int flags = 0; flags < 4; ++flags) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        Check(GetTxtCol(buffer.data(), length + 1, row, col, flags & 1, flags >> 1) == 0);
        Check(std::strlen(buffer.data()) <= static_cast<std::size_t>(length));
        if (length > 0 && flags == 0 && std::strlen(buffer.data()) == std::size_t(length)) {
            std::vector<char> small(static_cast<std::size_t>(length));
            Check(GetTxtCol(small.data(), length, row, col, 0, 0) == -1);
        }
    }
}

// Every range query of one line, within it and past its end. Malformed bytes come out as
// two-byte geta marks, so a range of count bytes takes at most 2 * count + 1.
void QueryRanges(int row, int length)
{
    for (int start : {0, length / 2, length + 3}) {
        for (int count : {1, length - start, length + 5}) {
            if (count < 0) {
                continue;
            }
            const int size = 2 * count + 1;
            std::vector<char> buffer(static_cast<std::size_t>(size));
            Check(GetTxtLineLoc(row, buffer.data(), start, count) == 0);
            Check(GetTxtLineLocConv(row, buffer.data(), start, count, size, 1) == 0);
            const std::size_t got = std::strlen(buffer.data());
            Check(got < static_cast<std::size_t>(size));
            std::vector<char> tiny(1, 'u');
            Check(GetTxtLineLocConv(row, tiny.data(), start, count, 1, 1) == (got > 0 ? -1 : 0));
            for (int charSet = 2; charSet <= 4; ++charSet) {
                const int wide = 2 * count + 8;
                std::vector<char> target(static_cast<std::size_t>(wide));
                const int result =
                    GetTxtLineLocConv(row, target.data(), start, count, wide, charSet);
                Check(result == 0 || result == -1);
                Check(result != 0 || std::strlen(target.data()) < std::size_t(wide));
            }
        }
        std::vector<char> rest(2 * static_cast<std::size_t>(length) + 1);
        Check(GetTxtLineLocConv(row, rest.data(), start, -1, 2 * length + 1, 1) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) {
        return 0;
    }
    static const char delimiters[] = {',', '\t', ' ', '|', ';', '\x81', '\r', '"'};
    static const char quotes[] = {'"', '\'', ',', '\x9F'};
    const char delimiter[] = {delimiters[data[0] % sizeof delimiters], '\0'};
    const char quote[] = {quotes[data[1] % sizeof quotes], '\0'};
    const int charSet = data[2] % 4 + 1;
    const bool careQuote = (data[2] & 4) == 0;

    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data + 3, 1, size - 3, file);
    std::fclose(file);
    // A NUL byte becomes a geta mark in the line and in its column alike; next to a delimiter
    // that is itself a lead-range byte the two can pair differently. Such a delimiter splits
    // the columns by bytes while the line reads it as the first byte of a character, so the
    // columns need not cover the line then.
    const bool bNul = std::memchr(data + 3, 0, size - 3) != nullptr;
    const auto first = static_cast<unsigned char>(delimiter[0]);
    const bool bLeadDelimiter =
        (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC);
    Check(ReadTxtIni(InputPath().c_str(), delimiter, quote, charSet, careQuote ? 1 : 0) == 0);

    const int rows = GetTxtRowCnt();
    Check(rows >= 0 && static_cast<std::size_t>(rows) <= size);
    Check(GetTxtCrLf() >= 1 && GetTxtCrLf() <= 3);
    for (int row = 1; row <= rows; ++row) {
        const int length = GetTxtLineLen(row);
        Check(length >= 0);
        std::vector<char> line(static_cast<std::size_t>(length) + 1);
        Check(GetTxtLine(row, line.data(), length + 1) == 0);
        Check(GetTxtLine(row, line.data(), length) == -1);
        QueryRanges(row, length);

        const int columns = GetTxtColCnt(row);
        Check(careQuote ? columns >= 1 : columns == 0);
        // Opened quote-aware, the columns and their delimiters make up the line exactly.
        int covered = -1;
        for (int col = 1; col <= columns; ++col) {
            covered += GetTxtColLen(row, col) + 1;
        }
        Check(!careQuote || bNul || bLeadDelimiter || covered == length);
        for (int col = columns + 2; col >= 1; --col) {
            QueryColumn(row, col, careQuote, columns);
        }
    }
    Check(GetTxtLine(rows + 1, nullptr, 0) == -1);
    Terminate();
    Check(GetTxtRowCnt() == 0);
    return 0;
}

// Fuzz target: random sequences of the text-reading exports over one opened file, with random
// rows, columns, offsets and buffer sizes (0 and negative too). A refused call leaves the
// buffer untouched, no call writes past the size it was given, and the retry size the
// interface documents (GetTxtLineLen + 1, GetTxtColLen + 1, twice the range + 4) always works.
#include "skiff.h"

#include <algorithm>
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

void Check(bool bCondition)
{
    if (!bCondition) {
        __builtin_trap();
    }
}

const std::string& InputPath()
{
    static const std::string path = [] {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                                 ? std::filesystem::path("/dev/shm")
                                                 : std::filesystem::temp_directory_path();
        return (folder / ("skiff_fuzz_sequence_" + std::to_string(getpid()))).string();
    }();
    static const bool cleanup = [] {
        return std::atexit([] { std::remove(InputPath().c_str()); }) == 0;
    }();
    (void)cleanup;
    return path;
}

// Reads the operations' arguments from the end of the input, zero once it is used up.
class Script
{
public:
    Script(const std::uint8_t* data, std::size_t size) : p(data), end(data + size) {}
    bool More() const { return p < end; }
    unsigned Byte() { return p < end ? *p++ : 0; }
    // A value around the interesting range: small, negative, near a limit, or past it.
    int Number(int lnLimit)
    {
        const unsigned kind = Byte();
        const int value = static_cast<int>(Byte());
        switch (kind % 6) {
        case 0:
            return value % 4 - 2;
        case 1:
            return lnLimit - 2 + value % 5;
        case 2:
            return -value - 1;
        default:
            return lnLimit > 0 ? value % (lnLimit + 2) : value % 3;
        }
    }

private:
    const std::uint8_t* p;
    const std::uint8_t* end;
};

constexpr char kFill = '\x5A';
constexpr std::size_t kGuard = 32;
// Sizes passed to the exports stay below this, so buffers stay small.
constexpr int kMaxSize = 1 << 16;

// A buffer that holds lnSize bytes (at least one) between guards, all filled.
struct Buffer
{
    explicit Buffer(int lnSize)
        : bytes(static_cast<std::size_t>(lnSize > 0 ? lnSize : 1) + 2 * kGuard, kFill)
    {}
    char* Data() { return bytes.data() + kGuard; }
    bool Untouched() const
    {
        for (char c : bytes) {
            if (c != kFill) {
                return false;
            }
        }
        return true;
    }
    // Written only within the first lnSize bytes, with a NUL among them.
    bool WrittenWithin(int lnSize) const
    {
        for (std::size_t i = 0; i < kGuard; ++i) {
            if (bytes[i] != kFill) {
                return false;
            }
        }
        for (std::size_t i = kGuard + static_cast<std::size_t>(lnSize); i < bytes.size(); ++i) {
            if (bytes[i] != kFill) {
                return false;
            }
        }
        return std::memchr(bytes.data() + kGuard, '\0', static_cast<std::size_t>(lnSize)) !=
               nullptr;
    }
    std::vector<char> bytes;
};

// One call with a claimed size: refused untouched, or written within that size.
template <typename Call> int Sized(int lnSize, Call call)
{
    Buffer buffer(lnSize);
    const int result = call(buffer.Data(), lnSize);
    Check(result == 0 || result == -1);
    Check(result == 0 ? lnSize > 0 && buffer.WrittenWithin(lnSize) : buffer.Untouched());
    return result;
}

void LineOps(Script& script, int rows)
{
    const int row = script.Number(rows);
    const bool valid = row >= 1 && row <= rows;
    const int length = GetTxtLineLen(row);
    Check(valid ? length >= 0 && length < kMaxSize : length == -1);
    switch (script.Byte() % 4) {
    case 0: {
        const int size = script.Number(length + 1);
        if (Sized(size, [&](char* p, int n) { return GetTxtLine(row, p, n); }) != 0 && valid) {
            Check(Sized(length + 1, [&](char* p, int n) { return GetTxtLine(row, p, n); }) == 0);
        }
        break;
    }
    case 1: {
        const int start = script.Number(length);
        const int count = script.Number(length);
        // No size is passed: the buffer holds count + 1 bytes.
        const int claimed = count >= 0 ? count + 1 : 0;
        const int result =
            Sized(claimed, [&](char* p, int) { return GetTxtLineLoc(row, p, start, count); });
        Check(result == -1 || (valid && start >= 0 && count >= 0));
        break;
    }
    default: {
        const int start = script.Number(length);
        const int count = script.Number(length) | (script.Byte() % 8 == 0 ? -1 : 0);
        const int charSet = static_cast<int>(script.Byte() % 6);
        const int size = script.Number(2 * length + 4);
        const auto call = [&](char* p, int n) {
            return GetTxtLineLocConv(row, p, start, count, n, charSet);
        };
        const bool acceptable = valid && start >= 0 && count >= -1 && charSet >= 1 && charSet <= 4;
        if (Sized(size, call) != 0 && acceptable) {
            const int range = count == -1 ? length : count;
            Check(Sized(2 * std::min(range, length) + 4, call) == 0);
        }
        break;
    }
    }
}

void ColumnOps(Script& script, int rows)
{
    const int row = script.Number(rows);
    const bool valid = row >= 1 && row <= rows;
    const int columns = GetTxtColCnt(row);
    Check(valid ? columns >= 0 : columns == 0);
    const int col = script.Number(columns + 1);
    const int length = GetTxtColLen(row, col);
    Check(valid && col >= 1 ? length >= 0 && length < kMaxSize : length == -1);
    const int unescape = static_cast<int>(script.Byte()) - 128;
    const int strip = static_cast<int>(script.Byte()) - 128;
    const int size = script.Number(length + 1);
    const auto call = [&](char* p, int n) { return GetTxtCol(p, n, row, col, unescape, strip); };
    if (Sized(size, call) != 0 && length >= 0) {
        Check(Sized(length + 1, call) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4) {
        return 0;
    }
    // Settings, the file's length, the file, then the script.
    static const char delimiters[] = {',', '\t', ' ', ';', '\x81'};
    const char delimiter[] = {delimiters[data[0] % sizeof delimiters], '\0'};
    const int charSet = data[1] % 4 + 1;
    const bool careQuote = (data[1] & 4) == 0;
    const std::size_t fileSize = std::min<std::size_t>(data[2] | (data[3] & 0x0F) << 8, size - 4);
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data + 4, 1, fileSize, file);
    std::fclose(file);
    Check(ReadTxtIni(InputPath().c_str(), delimiter, "\"", charSet, careQuote ? 1 : 0) == 0);
    const int rows = GetTxtRowCnt();
    Check(rows >= 0);

    Script script(data + 4 + fileSize, size - 4 - fileSize);
    for (int step = 0; step < 256 && script.More(); ++step) {
        switch (script.Byte() % 4) {
        case 0:
            LineOps(script, rows);
            break;
        case 1:
            ColumnOps(script, rows);
            break;
        case 2:
            Check(GetTxtRowCnt() == rows);
            break;
        default:
            Check(GetTxtCrLf() >= 1 && GetTxtCrLf() <= 3);
            break;
        }
    }
    Terminate();
    return 0;
}

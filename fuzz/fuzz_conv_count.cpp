// Fuzz target: the substitution count (GetConvErrCnt) over a file's load and every converter,
// and WriteTxtIni, which must leave the open file and the count alone.
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

void Check(bool bCondition)
{
    if (!bCondition) {
        __builtin_trap();
    }
}

std::string TempPath(const char* szName)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::is_directory("/dev/shm", error)
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    return (folder / (std::string(szName) + std::to_string(getpid()))).string();
}

const std::string& InputPath()
{
    static const std::string path = TempPath("skiff_fuzz_count_");
    static const bool cleanup = [] {
        return std::atexit([] { std::remove(InputPath().c_str()); }) == 0;
    }();
    (void)cleanup;
    return path;
}

enum Set { kSjis = 1, kJis = 2, kEuc = 3, kUtf8 = 4 };

struct Pair
{
    Set to;
    int (*convert)(const char*, char*);
    int (*length)(const char*);
};

const Pair kPairs[] = {
    {kSjis, JIStoSJIS, JIStoSJISLen},
    {kJis, SJIStoJIS, SJIStoJISLen},
    {kEuc, JIStoEUC, JIStoEUCLen},
    {kJis, EUCtoJIS, EUCtoJISLen},
    {kUtf8, SJIStoUNICODE, SJIStoUNICODELen},
    {kSjis, UNICODEtoSJIS, UNICODEtoSJISLen},
    {kEuc, SJIStoEUC, SJIStoEUCLen},
    {kSjis, EUCtoSJIS, EUCtoSJISLen},
    {kUtf8, JIStoUNICODE, JIStoUNICODELen},
    {kUtf8, EUCtoUNICODE, EUCtoUNICODELen},
    {kJis, UNICODEtoJIS, UNICODEtoJISLen},
    {kEuc, UNICODEtoEUC, UNICODEtoEUCLen},
};

// Geta marks in a converted text; JIS output is not counted (its shifts would need a parser).
int GetaMarks(Set set, const std::string& text)
{
    int marks = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (set == kSjis && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))) {
            marks += text.compare(i, 2, "\x81\xAC") == 0 ? 1 : 0;
            i += 2;
        } else if (set == kEuc && c == 0x8E) {
            i += 2;
        } else if (set == kEuc && c >= 0xA1 && c <= 0xFE) {
            marks += text.compare(i, 2, "\xA2\xAE") == 0 ? 1 : 0;
            i += 2;
        } else if (set == kUtf8 && c == 0xE3) {
            marks += text.compare(i, 3, "\xE3\x80\x93") == 0 ? 1 : 0;
            i += 3;
        } else {
            ++i;
        }
    }
    return marks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    const int charSet = data[0] % 4 + 1;
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);
    Check(ReadTxtIni(InputPath().c_str(), ",", "\"", charSet, 1) == 0);
    int count = GetConvErrCnt();
    Check(count >= 0);
    // Nothing in a text of n bytes is replaced more than n times.
    Check(static_cast<std::size_t>(count) <= size);
    const int rows = GetTxtRowCnt();

    // WriteTxtIni takes any text, names no file it creates, and changes nothing.
    std::string name(reinterpret_cast<const char*>(data + 1), size - 1);
    name = name.substr(0, name.find('\0'));
    const std::string probe = TempPath("skiff_fuzz_never_");
    Check(WriteTxtIni(name.c_str()) == 0);
    Check(WriteTxtIni(probe.c_str()) == 0);
    Check(WriteTxtIni(nullptr) == 0);
    Check(!std::filesystem::exists(probe));
    Check(GetTxtRowCnt() == rows && GetConvErrCnt() == count);

    // Every conversion adds its own substitutions, each visible as a geta mark.
    for (const Pair& pair : kPairs) {
        const int length = pair.length(name.c_str());
        Check(length >= 1);
        std::vector<char> target(static_cast<std::size_t>(length));
        const int written = pair.convert(name.c_str(), target.data());
        Check(written + 1 == length);
        const int now = GetConvErrCnt();
        Check(now >= count);
        if (pair.to != kJis) {
            const std::string text(target.data(), static_cast<std::size_t>(written));
            Check(now - count <= GetaMarks(pair.to, text));
        }
        count = now;
    }
    Terminate();
    // Closing the file does not start a new count; the next open does.
    Check(GetConvErrCnt() == count);
    return 0;
}

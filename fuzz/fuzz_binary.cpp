// Fuzz target: the byte stream, reading an arbitrary file field by field and writing fields.
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

// The files of this process, in memory where the system offers it, removed at exit.
std::string FuzzPath(const char* szName)
{
    static const std::filesystem::path folder = [] {
        std::error_code error;
        return std::filesystem::is_directory("/dev/shm", error)
                   ? std::filesystem::path("/dev/shm")
                   : std::filesystem::temp_directory_path();
    }();
    return (folder / ("skiff_fuzz_bin_" + std::to_string(getpid()) + "_" + szName)).string();
}

void RemoveFiles()
{
    std::remove(FuzzPath("in").c_str());
    std::remove(FuzzPath("out").c_str());
}

void Check(bool bCondition)
{
    if (!bCondition) {
        __builtin_trap();
    }
}

// Reads fields of the sizes and kinds the control bytes name until the end of the file.
void ReadFields(const std::uint8_t* control, std::size_t count)
{
    int (*const readers[])(void*, int) = {ReadBinString, ReadBinLong, ReadBinShort, ReadBinFloat,
                                          ReadBinDouble};
    for (std::size_t i = 0; i + 1 < count && GetEOF() == 0; i += 2) {
        const int width = control[i + 1] % 24;
        std::vector<char> buffer(static_cast<std::size_t>(width) + 1);
        const int kind = control[i] % 7;
        int result = 0;
        if (kind < 5) {
            result = readers[kind](buffer.data(), width);
        } else {
            // Exactly the field's width, with no terminator after it.
            buffer.pop_back();
            result = ReadBinConvStr(buffer.data(), width, control[i] / 7 % 6);
        }
        Check(result == 0 || result == -1);
    }
}

// Writes the file's bytes back as fields and texts and checks the output's size.
void WriteFields(const std::string& text, const std::uint8_t* control, std::size_t count)
{
    Check(WriteBinIni(FuzzPath("out").c_str()) == 0);
    std::uintmax_t expected = 0;
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        const int width = control[i + 1] % 24;
        const int charSet = control[i] % 6;
        if (control[i] & 0x80) {
            if (WriteBinConvStr(text.c_str(), width, charSet) == 0) {
                expected += static_cast<std::uintmax_t>(width);
            } else {
                Check(charSet < 1 || charSet > 4);
            }
        } else if (WriteTxtConvStr(text.c_str(), charSet) == 0) {
            int (*const lengths[])(const char*) = {nullptr, nullptr, SJIStoJISLen, SJIStoEUCLen,
                                                   SJIStoUNICODELen};
            expected += charSet == 1
                            ? text.size()
                            : static_cast<std::uintmax_t>(lengths[charSet](text.c_str()) - 1);
        } else {
            Check(charSet < 1 || charSet > 4);
        }
    }
    Terminate();
    Check(std::filesystem::file_size(FuzzPath("out")) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The folder is settled before the clean-up is registered, so it outlives the clean-up.
    static const bool cleanup = !FuzzPath("in").empty() && std::atexit(RemoveFiles) == 0;
    (void)cleanup;
    if (size < 1) {
        return 0;
    }
    const std::size_t controls = std::min<std::size_t>(data[0], size - 1);
    const std::uint8_t* control = data + 1;
    const std::uint8_t* bytes = control + controls;
    const std::size_t length = size - 1 - controls;

    std::FILE* file = std::fopen(FuzzPath("in").c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(bytes, 1, length, file);
    std::fclose(file);
    Check(ReadBinIni(FuzzPath("in").c_str()) == 0);
    ReadFields(control, controls);
    Terminate();

    const std::string text(reinterpret_cast<const char*>(bytes),
                           strnlen(reinterpret_cast<const char*>(bytes), length));
    WriteFields(text, control, std::min<std::size_t>(controls, 16));
    return 0;
}

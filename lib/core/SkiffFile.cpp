// Mapping Shift-JIS file names to the file system and measuring files.
#include "SkiffFile.h"

#include "JConv.h"
#include "XString.h"

#include <climits>
#include <filesystem>
#include <system_error>

namespace skiff {

std::string NativeFileName(const char* szFile)
{
#if defined(_WIN32)
    // The ANSI file functions take the system code page, which is Shift-JIS.
    return szFile;
#else
    std::string name;
    for (const char* p = szFile; *p != '\0';) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) {
            name += *p++;
            continue;
        }
        const int width = IsLeadByte(byte) && p[1] != '\0' ? 2 : 1;
        const char character[3] = {p[0], width == 2 ? p[1] : '\0', '\0'};
        char utf8[8];
        int errors = 0;
        const std::size_t length =
            Convert(Charset::Sjis, Charset::Utf8, character, utf8, errors);
        name.append(utf8, length);
        p += width;
    }
    return name;
#endif
}

std::FILE* OpenFile(const char* szFile, const char* szMode)
{
    return std::fopen(NativeFileName(szFile).c_str(), szMode);
}

long long AddressableFileSize(const char* szFile)
{
    std::error_code error;
    const std::filesystem::path path(NativeFileName(szFile));
    if (!std::filesystem::is_regular_file(path, error)) {
        return -1;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size >= static_cast<std::uintmax_t>(INT_MAX)) {
        return -1;
    }
    return static_cast<long long>(size);
}

} // namespace skiff

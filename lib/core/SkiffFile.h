// Files named by the program: Shift-JIS names mapped to the file system's own names.
#pragma once

#include <cstdio>
#include <string>

namespace skiff {

// The file system's name for a Shift-JIS file name. Where file names are UTF-8, each
// double-byte or katakana character is converted while ASCII bytes stay as they are (so a
// trail byte 0x5C never turns into a separator, and "\" and "~" keep their meaning).
std::string NativeFileName(const char* szFile);

// std::fopen of a Shift-JIS file name.
std::FILE* OpenFile(const char* szFile, const char* szMode);

// Size of a regular file that 32-bit sizes can address (below 2 GiB), or -1.
long long AddressableFileSize(const char* szFile);

} // namespace skiff

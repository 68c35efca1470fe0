// Files named by the program: names in the file system's own narrow encoding, and their sizes.
#pragma once

#include <cstdio>
#include <string>

namespace skiff {

// File names cross the interface as the file system's own bytes (the system code page on
// Windows, the name's own UTF-8 bytes elsewhere), so every name the file system holds opens
// as itself and no two names meet in one code; no conversion happens here.
std::string NativeFileName(const char* szFile);

// std::fopen of a file name; a failure leaves the cause in *pStatus (a SkiffStatus).
std::FILE* OpenFile(const char* szFile, const char* szMode, int* pStatus = nullptr);

// Size of a regular file that 32-bit sizes can address (below 2 GiB), or -1 with the cause
// in *pStatus (a SkiffStatus).
long long AddressableFileSize(const char* szFile, int* pStatus = nullptr);

// The SkiffStatus of a system error number.
int StatusOfError(int lnError);

} // namespace skiff

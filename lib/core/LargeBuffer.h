// Allocation of Skiff's byte buffers, large ones backed by huge pages where the system has them.
#pragma once

#include <cstddef>
#include <cstdio>

namespace skiff {

// Returns a buffer of lnSize bytes, or null when there is no memory; release with FreeBytes.
void* AllocateBytes(std::size_t lnSize) noexcept;
void FreeBytes(void* pBuffer) noexcept;
// Gives the whole pages among the nBytes at pFrom, a part of a buffer no longer used, back to
// the system; they read as zeros when touched again.
void ReleaseBytes(char* pFrom, std::size_t nBytes) noexcept;

// Reads lnSize bytes from the start of an open file into pBuffer, as one fread would: the
// count of bytes read (fewer when the file ended first), or -1 after a read error. A large
// file is read in two halves side by side, so that both cores fault in and fill the fresh
// pages; the call returns only once both are done.
long long ReadWhole(std::FILE* pFile, char* pBuffer, std::size_t lnSize);

// Deleter for buffers from AllocateBytes.
struct BytesDeleter
{
    void operator()(void* pBuffer) const noexcept { FreeBytes(pBuffer); }
};

} // namespace skiff

// Allocation of Skiff's byte buffers, large ones backed by huge pages where the system has them.
#pragma once

#include <cstddef>

namespace skiff {

// Returns a buffer of lnSize bytes, or null when there is no memory; release with FreeBytes.
void* AllocateBytes(std::size_t lnSize) noexcept;
void FreeBytes(void* pBuffer) noexcept;

// Deleter for buffers from AllocateBytes.
struct BytesDeleter
{
    void operator()(void* pBuffer) const noexcept { FreeBytes(pBuffer); }
};

} // namespace skiff

// Allocation of Skiff's byte buffers, large ones backed by huge pages where the system has them.
#include "LargeBuffer.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace skiff {

namespace {
// A whole file is read into one buffer. Faulting it in 4 KiB pages costs more than reading it
// on virtual machines, so buffers of this size ask for 2 MiB pages instead.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kHugeThreshold = 4 * kHugePage;
} // namespace

void* AllocateBytes(std::size_t lnSize) noexcept
{
    if (lnSize < kHugeThreshold) {
        return std::malloc(lnSize);
    }
    const std::size_t rounded = (lnSize + kHugePage - 1) / kHugePage * kHugePage;
    void* buffer = std::aligned_alloc(kHugePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (buffer != nullptr) {
        madvise(buffer, rounded, MADV_HUGEPAGE);
    }
#endif
    return buffer;
}

void FreeBytes(void* pBuffer) noexcept
{
    std::free(pBuffer);
}

} // namespace skiff

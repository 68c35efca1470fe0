// Allocation of Skiff's byte buffers, large ones backed by huge pages where the system has them.
#include "LargeBuffer.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <system_error>
#include <thread>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace skiff {

namespace {
// A whole file is read into one buffer. Faulting it in 4 KiB pages costs more than reading it
// on virtual machines, so buffers of this size ask for 2 MiB pages instead. The line table and
// the delimiter bits of a file of some megabytes gain as well: 8 % less CPU time for a
// dictionary of 400,000 short lines, at the cost of at most one page less used than taken.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kHugeThreshold = kHugePage;
// Below this a second thread costs more than it saves.
constexpr std::size_t kSplitThreshold = std::size_t(16) << 20;

#if defined(__linux__)
// Reads [lnOffset, lnOffset + lnSize) with pread until done or the file ends: bytes read, or
// -1 after an error. pread keeps no file position, so two of these may run at once.
long long ReadRange(int fd, char* pBuffer, std::size_t lnSize, std::size_t lnOffset) noexcept
{
    std::size_t done = 0;
    while (done < lnSize) {
        const ssize_t got =
            pread(fd, pBuffer + done, lnSize - done, static_cast<off_t>(lnOffset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}
#endif
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

long long ReadWhole(std::FILE* pFile, char* pBuffer, std::size_t lnSize)
{
#if defined(__linux__)
    if (lnSize >= kSplitThreshold) {
        const int fd = fileno(pFile);
        // Split on a huge-page boundary, so that no page is faulted in from both sides.
        const std::size_t half = lnSize / 2 / kHugePage * kHugePage;
        long long tail = -1;
        try {
            std::thread second([&] { tail = ReadRange(fd, pBuffer + half, lnSize - half, half); });
            const long long head = ReadRange(fd, pBuffer, half, 0);
            second.join();
            if (head < 0 || tail < 0) {
                return -1;
            }
            // A file that shrank meanwhile ends where its first part ends.
            return static_cast<std::size_t>(head) < half ? head : head + tail;
        } catch (const std::system_error&) {
            // No thread to be had: one read does it all.
        }
    }
#endif
    const std::size_t got = std::fread(pBuffer, 1, lnSize, pFile);
    return std::ferror(pFile) != 0 ? -1 : static_cast<long long>(got);
}

void FreeBytes(void* pBuffer) noexcept
{
    std::free(pBuffer);
}

void ReleaseBytes(char* pFrom, std::size_t nBytes) noexcept
{
#if defined(__linux__) && defined(MADV_DONTNEED)
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto from = reinterpret_cast<std::uintptr_t>(pFrom);
    const std::uintptr_t first = (from + page - 1) / page * page;
    const std::uintptr_t last = (from + nBytes) / page * page;
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
    }
#else
    (void)pFrom;
    (void)nBytes;
#endif
}

} // namespace skiff

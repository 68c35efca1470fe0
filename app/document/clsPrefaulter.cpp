// A thread that populates fresh memory ahead of its owner.
#include "clsPrefaulter.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// One huge page per request: small enough to stop soon, large enough to cost one call.
constexpr size_t kStep = size_t{2} << 20;
// How far ahead of the owner the pages are faulted in.
constexpr size_t kAhead = size_t{8} << 20;

} // namespace

clsPrefaulter::clsPrefaulter(char* pData, size_t nBytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    try {
        worker = std::thread([this, pData, nBytes] {
            size_t done = 0;
            while (done < nBytes && !stop.load(std::memory_order_relaxed)) {
                if (done >= written.load(std::memory_order_relaxed) + kAhead) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    continue;
                }
                const size_t size = std::min(kStep, nBytes - done);
                // An older kernel refuses: the owner's own writes fault the pages in.
                if (madvise(pData + done, size, MADV_POPULATE_WRITE) != 0)
                    break;
                done += size;
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: the owner's writes fault the pages in as they come.
    }
#else
    (void)pData;
    (void)nBytes;
#endif
}

clsPrefaulter::~clsPrefaulter()
{
    Stop();
}

void clsPrefaulter::Stop()
{
    stop.store(true, std::memory_order_relaxed);
    if (worker.joinable())
        worker.join();
}

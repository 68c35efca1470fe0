// Faulting in fresh memory on a second core while the first one fills it.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>

// Asks the system, from a thread of its own, to back a range of fresh memory with pages
// before the owner writes there, so that the zeroing of new pages runs beside the owner's
// work instead of inside it. The thread touches no byte itself: it only asks the kernel to
// populate, which never changes what is already written, so the owner may write the range
// meanwhile. Where the system cannot do this, nothing happens.
class clsPrefaulter
{
public:
    clsPrefaulter(char* pData, size_t nBytes);
    // Stops and waits for the thread.
    ~clsPrefaulter();
    clsPrefaulter(const clsPrefaulter&) = delete;
    clsPrefaulter& operator=(const clsPrefaulter&) = delete;

    // Tells how far the owner has written: the thread keeps only a little ahead of that,
    // so that an estimate too large costs no memory while the owner is still writing.
    void Advance(size_t nWritten) { written.store(nWritten, std::memory_order_relaxed); }
    // Ends the work early and waits for the thread; the range may be released afterwards.
    void Stop();

private:
    std::atomic<bool> stop{false};
    std::atomic<size_t> written{0};
    std::thread worker;
};

// Two pieces of work done on two cores at once.
#pragma once

#include <system_error>
#include <thread>

namespace skiff {

// Runs second on a thread of its own while first runs on the caller's, and returns once both
// are done; when no thread can be had, the two run one after the other. Neither may throw.
template <class First, class Second> void SideBySide(First&& first, Second&& second)
{
    std::thread worker;
    try {
        worker = std::thread([&second] { second(); });
    } catch (const std::system_error&) {
        // One thread it is.
    }
    first();
    if (worker.joinable()) {
        worker.join();
    } else {
        second();
    }
}

} // namespace skiff

// Making file writes fail part-way, as on a full disk, even for root.
#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, the process cannot write past the given size of any file: a write that
// would fails (EFBIG) instead of raising SIGXFSZ.
class clsFileSizeLimit
{
public:
    explicit clsFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~clsFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    clsFileSizeLimit(const clsFileSizeLimit&) = delete;
    clsFileSizeLimit& operator=(const clsFileSizeLimit&) = delete;

private:
    rlimit saved{};
    void (*previous)(int) = nullptr;
};

#pragma once
// Holds the size this process may give a file while it lives: the kernel then cuts a write short and
// fails the next one with EFBIG, as a disk that fills does, and the signal it would raise is ignored.

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

namespace KelvaneTest
{

class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes < 0 ? RLIM_INFINITY : rlim_t(bytes), old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
};

} // namespace KelvaneTest

#pragma once
#include <csignal>

#include <sys/resource.h>

// A disk that fills up once a file holds `bytes` bytes, for the length of a scope: every write
// beyond fails, whoever runs the test (permissions do not stop the superuser, a full disk does).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit limit = before;
        limit.rlim_cur = bytes;
        // A write past the limit fails rather than ending the process.
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previousHandler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit before{};
    void (*previousHandler)(int) = nullptr;
};

#pragma once
#include <csignal>
#include <cstdint>

// How qx574 watch lets time pass between polls. The run keeps its cadence on the clock seam;
// this only lets the time go by and tells when the user has asked the run to end, so that a
// test moves its test clock here while the program sleeps.
class WatchWait {
public:
    virtual ~WatchWait() = default;
    // Lets at most ms milliseconds pass; it may return sooner.
    virtual void Sleep(std::uint32_t ms) = 0;
    // Ctrl-C (or a TERM signal) asked the run to end.
    virtual bool StopRequested() = 0;
};

// The program's: sleeps the thread, for a run of a day must not keep a core busy, in steps
// short enough that Ctrl-C ends the run at once. While it lives, SIGINT and SIGTERM set its
// flag instead of ending the process, and a closed standard output is a write error to report
// instead of a SIGPIPE that would end the run without its summary.
class SleepingWait final : public WatchWait {
public:
    SleepingWait();
    ~SleepingWait() override;
    SleepingWait(const SleepingWait&) = delete;
    SleepingWait& operator=(const SleepingWait&) = delete;

    void Sleep(std::uint32_t ms) override;
    bool StopRequested() override;

private:
    struct sigaction previousInt {};
    struct sigaction previousTerm {};
    struct sigaction previousPipe {};
};

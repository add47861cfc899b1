#include "watch/WatchWait.h"

#include <QThread>

#include <algorithm>

namespace {

volatile std::sig_atomic_t stopSignalled = 0;

extern "C" void OnStopSignal(int) { stopSignalled = 1; }

// The longest single sleep: how long Ctrl-C may wait to be noticed.
constexpr std::uint32_t LongestSleepMs = 100;

}  // namespace

SleepingWait::SleepingWait()
{
    stopSignalled = 0;
    struct sigaction stop {};
    stop.sa_handler = OnStopSignal;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, &previousInt);
    sigaction(SIGTERM, &stop, &previousTerm);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &previousPipe);
}

SleepingWait::~SleepingWait()
{
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGPIPE, &previousPipe, nullptr);
}

void SleepingWait::Sleep(std::uint32_t ms) { QThread::msleep(std::min(ms, LongestSleepMs)); }

bool SleepingWait::StopRequested() { return stopSignalled != 0; }

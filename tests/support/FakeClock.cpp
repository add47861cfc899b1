#include "FakeClock.h"

double FakeClock::Now()
{
    ++nowReads;
    const double result = now;
    now += nowStep;
    return result;
}

std::uint32_t FakeClock::TickCountMs()
{
    ++tickReads;
    const std::uint32_t result = tick;
    tick += tickStep;
    return result;
}

void FakeClock::SleepMs(std::uint32_t ms)
{
    ++sleeps;
    tick += ms;
}

void FakeClock::SingleShot(std::uint32_t ms, QObject*, std::function<void()> then)
{
    ++singleShots;
    singleShotMs = ms;
    tick += ms;
    then();
}

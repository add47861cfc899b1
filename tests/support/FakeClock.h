#pragma once
#include "shell/Clock.h"

// A clock that advances by a fixed step on every read, so busy waits end at once.
class FakeClock final : public Clock {
public:
    double now = 45000.5;          // some afternoon in 2023
    std::uint32_t tick = 1000;
    std::uint32_t tickStep = 1;    // milliseconds added on every TickCountMs()
    double nowStep = 0.0;          // days added on every Now()
    int tickReads = 0;
    int nowReads = 0;

    double Now() override;
    std::uint32_t TickCountMs() override;
};

// Installs a FakeClock for the scope of a test.
class ScopedFakeClock {
public:
    ScopedFakeClock() { SetCurrentClock(&clock); }
    ~ScopedFakeClock() { SetCurrentClock(nullptr); }
    ScopedFakeClock(const ScopedFakeClock&) = delete;
    ScopedFakeClock& operator=(const ScopedFakeClock&) = delete;
    FakeClock clock;
};

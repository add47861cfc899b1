#pragma once
#include "shell/Clock.h"

#include <optional>

// A clock that advances by a fixed step on every read, and its tick count by the time slept on
// every sleep, so waits end at once.
class FakeClock final : public Clock {
public:
    double now = 45000.5;          // some afternoon in 2023
    std::uint32_t tick = 1000;
    std::uint32_t tickStep = 1;    // milliseconds added on every TickCountMs()
    double nowStep = 0.0;          // days added on every Now()
    int tickReads = 0;
    int nowReads = 0;
    int sleeps = 0;
    int singleShots = 0;
    std::uint32_t singleShotMs = 0;  // the time of the last one

    double Now() override;
    std::uint32_t TickCountMs() override;
    // Moves the tick count on by ms, without sleeping; the date-time moves by nowStep alone.
    void SleepMs(std::uint32_t ms) override;
    // Moves the tick count on by ms and runs then at once, as the wait it stands for has ended.
    void SingleShot(std::uint32_t ms, QObject* context, std::function<void()> then) override;
    // The zone's offset at now (not stepping it), or the one a test sets for a repeated hour.
    std::optional<std::int64_t> utcOffset;
    std::int64_t UtcOffsetSeconds() override { return utcOffset ? *utcOffset : LocalUtcOffsetSeconds(now); }
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

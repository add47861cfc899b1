#pragma once
#include <cstdint>

// The computer's clock: local date-time as a day count and a millisecond tick count
// that wraps at 2^32. Busy waits read only this, so a test clock can drive them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() = 0;
    virtual std::uint32_t TickCountMs() = 0;
};

Clock& CurrentClock();
// Installs a clock for the process; nullptr puts the system clock back.
void SetCurrentClock(Clock* clock);

// Waits, without processing window messages, until more than ms milliseconds have
// passed since the call; the unsigned difference makes the tick count's wrap harmless.
void DelayMs(std::uint32_t ms);

#pragma once
#include <cstdint>
#include <functional>

class QObject;

// The computer's clock: local date-time as a day count and a millisecond tick count
// that wraps at 2^32, a sleep and a timer. Waits read, sleep and time only through this, so a
// test clock can drive them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() = 0;
    virtual std::uint32_t TickCountMs() = 0;
    // Lets about ms milliseconds pass without using the processor.
    virtual void SleepMs(std::uint32_t ms) = 0;
    // Runs then once from the event loop, about ms milliseconds from now, and never after
    // context is gone: a wait that lets the windows draw and answer meanwhile.
    virtual void SingleShot(std::uint32_t ms, QObject* context, std::function<void()> then) = 0;
    // The local zone's offset from UTC now, in seconds. Only the clock itself knows it in the
    // hour a clock change repeats; by default it is the offset of Now()'s local time (its first
    // occurrence).
    virtual std::int64_t UtcOffsetSeconds();
};

// The local zone's offset from UTC at a local day count, in seconds (for a repeated hour, its
// first occurrence's).
std::int64_t LocalUtcOffsetSeconds(double days);

Clock& CurrentClock();
// Installs a clock for the process; nullptr puts the system clock back.
void SetCurrentClock(Clock* clock);

// Waits sleep in steps of at most this, so that they end within a few milliseconds of their
// time on the tick count, however the sleep and the tick count drift apart.
constexpr std::uint32_t SleepStepMs = 10;

// Waits, without processing window messages, until more than ms milliseconds have
// passed since the call; the unsigned difference makes the tick count's wrap harmless.
// It sleeps in short steps, so the wait costs no processor time.
void DelayMs(std::uint32_t ms);

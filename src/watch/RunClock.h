#pragma once
#include "shell/Clock.h"

#include <cstdint>

// Milliseconds since the run began, on the clock seam's tick count. Each read adds the
// unsigned difference from the one before, so the count's wrap is harmless and a run of
// any length fits.
class RunClock {
public:
    explicit RunClock(Clock& clock) : clock(clock), last(clock.TickCountMs()) {}
    std::int64_t Elapsed()
    {
        const std::uint32_t now = clock.TickCountMs();
        elapsed += static_cast<std::uint32_t>(now - last);
        last = now;
        return elapsed;
    }

private:
    Clock& clock;
    std::uint32_t last;
    std::int64_t elapsed = 0;
};

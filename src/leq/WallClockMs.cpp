#include "leq/WallClockMs.h"

#include <cmath>

double DaysOfMs(std::int64_t ms)
{
    // Whole days and the rest apart, so that midnight stays an exact whole number.
    const std::int64_t day = FloorDiv(ms, MsPerDay);
    return static_cast<double>(day) + static_cast<double>(ms - day * MsPerDay) / static_cast<double>(MsPerDay);
}

std::int64_t MsOfSeconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0.0 || seconds > 1.0e12)
        return 0;
    return std::llround(seconds * 1000.0);
}

#pragma once
#include <cstdint>
#include <optional>

// The survey analysis counts time in whole wall-clock milliseconds of the day count: periods,
// dates and spans are integer arithmetic on it, so that a sample at 10:15:00 is never taken
// for 10:14:59.999 and no time zone takes part (the meter's clock knows none).
constexpr std::int64_t MsPerDay = 86'400'000;

// The nearest whole number, halves away from zero, of a value well within 2^62: as
// std::llround, but inline, which a walk over a million samples notices.
constexpr std::int64_t RoundToWhole(double value)
{
    return static_cast<std::int64_t>(value >= 0.0 ? value + 0.5 : value - 0.5);
}

// The millisecond of a day count; none for a time that is not a number or lies beyond any
// date (more than 3,000,000 days from 1899-12-30).
inline std::optional<std::int64_t> WallClockMs(double days)
{
    // Written so that a NaN fails the test too.
    if (!(days >= -3.0e6 && days <= 3.0e6))
        return std::nullopt;
    return RoundToWhole(days * static_cast<double>(MsPerDay));
}
double DaysOfMs(std::int64_t ms);
// Division rounding down, for times before the day count's zero as well.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
// Seconds as whole milliseconds (0 for anything not positive).
std::int64_t MsOfSeconds(double seconds);

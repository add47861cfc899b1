#pragma once
#include "leq/Exclusions.h"
#include "link/MeasurableLevel.h"

#include <cstdint>
#include <optional>
#include <span>

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

// A recording as every analysis reads it: times and levels paired point by point (any excess
// of the longer list is ignored), the time between samples, and the spans left out.
struct SurveySeries {
    std::span<const double> times;  // wall-clock days
    std::span<const float> levels;  // dB
    double intervalSeconds = 0.0;   // 0 when not known
    std::span<const Exclusion> exclusions;

    std::size_t Count() const { return std::min(times.size(), levels.size()); }
};

// Calls visit(index, ms, level) for every sample an analysis takes, in order: a valid level
// (20-140 dB), a time, and outside every exclusion.
template <class Visit>
void ForEachKeptSample(const SurveySeries& series, Visit&& visit)
{
    const ExcludedTimes excluded(series.exclusions);
    const std::size_t count = series.Count();
    for (std::size_t i = 0; i < count; ++i) {
        const float level = series.levels[i];
        if (!IsMeasurableLevel(level))
            continue;
        const std::optional<std::int64_t> ms = WallClockMs(series.times[i]);
        if (ms && !excluded.Contains(*ms))
            visit(i, *ms, level);
    }
}

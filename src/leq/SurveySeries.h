#pragma once
#include "leq/Exclusions.h"
#include "leq/WallClockMs.h"
#include "link/MeasurableLevel.h"

#include <cstdint>
#include <optional>
#include <span>

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

#pragma once
#include "leq/SurveySeries.h"

#include <optional>
#include <vector>

// The period lengths a period table offers, in minutes; a day is 1440.
inline constexpr int PeriodMinutes[] = {1, 5, 10, 15, 30, 60, 1440};
bool IsPeriodLength(int minutes);

// One clock-aligned period of a recording. Levels are none when it holds no valid sample.
struct PeriodRow {
    double start = 0.0;  // wall-clock days
    double end = 0.0;
    int validSamples = 0;
    double coveragePercent = 0.0;  // valid samples x interval / length, at most 100
    std::optional<double> leq, lmax, lmin, l10, l50, l90;
    std::optional<double> sel;     // also needs a known interval
};

// The most rows a table makes (two years of one-minute periods): a stray time years away from
// the rest must not fill memory.
constexpr std::int64_t MaxPeriodRows = 1'100'000;

// Periods of the given length (one of PeriodMinutes), aligned to midnight, from the period of
// the recording's earliest sample to that of its latest, one row each, empty ones included
// so that gaps show. Nothing without a timed sample, for a length not offered, or when the
// rows would be more than MaxPeriodRows.
std::optional<std::vector<PeriodRow>> ComputePeriods(const SurveySeries& series, int minutes);

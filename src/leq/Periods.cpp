#include "leq/Periods.h"

#include "leq/EnergyAverage.h"
#include "leq/ExceededLevels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

bool IsPeriodLength(int minutes)
{
    return std::find(std::begin(PeriodMinutes), std::end(PeriodMinutes), minutes) != std::end(PeriodMinutes);
}

std::optional<std::vector<PeriodRow>> ComputePeriods(const SurveySeries& series, int minutes)
{
    if (!IsPeriodLength(minutes))
        return std::nullopt;
    const std::int64_t length = static_cast<std::int64_t>(minutes) * 60'000;

    // The rows run over the whole recording, whatever is valid or excluded at its ends. Each
    // sample's period is found once; NoPeriod marks one the table leaves out.
    constexpr std::int64_t NoPeriod = std::numeric_limits<std::int64_t>::min();
    const ExcludedTimes excluded(series.exclusions);
    std::vector<std::int64_t> periodOf(series.Count(), NoPeriod);
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::min();
    for (std::size_t i = 0; i < series.Count(); ++i) {
        const std::optional<std::int64_t> ms = WallClockMs(series.times[i]);
        if (!ms)
            continue;
        const std::int64_t period = FloorDiv(*ms, length);
        first = std::min(first, period);
        last = std::max(last, period);
        if (IsMeasurableLevel(series.levels[i]) && !excluded.Contains(*ms))
            periodOf[i] = period;
    }
    if (first > last || last - first >= MaxPeriodRows)
        return std::nullopt;
    const auto rowCount = static_cast<std::size_t>(last - first + 1);

    // Grouped by period in two passes (count, then place), so that the percentiles of each
    // period are selected among its own levels, in any order of the samples.
    std::vector<std::size_t> begins(rowCount + 1, 0);
    for (const std::int64_t period : periodOf)
        if (period != NoPeriod)
            ++begins[static_cast<std::size_t>(period - first) + 1];
    for (std::size_t r = 0; r < rowCount; ++r)
        begins[r + 1] += begins[r];
    std::vector<float> grouped(begins.back());
    std::vector<std::size_t> next(begins.begin(), begins.end() - 1);
    std::vector<EnergyAverage> averages(rowCount);
    for (std::size_t i = 0; i < periodOf.size(); ++i) {
        if (periodOf[i] == NoPeriod)
            continue;
        const auto row = static_cast<std::size_t>(periodOf[i] - first);
        grouped[next[row]++] = series.levels[i];
        averages[row].Add(series.levels[i]);
    }

    const bool timed = std::isfinite(series.intervalSeconds) && series.intervalSeconds > 0.0;
    constexpr std::array<int, 3> Percents{10, 50, 90};
    std::vector<PeriodRow> rows(rowCount);
    for (std::size_t r = 0; r < rowCount; ++r) {
        PeriodRow& row = rows[r];
        const std::int64_t start = (first + static_cast<std::int64_t>(r)) * length;
        row.start = DaysOfMs(start);
        row.end = DaysOfMs(start + length);
        const EnergyAverage& average = averages[r];
        row.validSamples = average.Count();
        if (row.validSamples == 0)
            continue;
        if (timed) {
            const double seconds = row.validSamples * series.intervalSeconds;
            row.coveragePercent = std::min(100.0, seconds * 1000.0 / static_cast<double>(length) * 100.0);
            row.sel = *average.Leq() + 10.0 * std::log10(seconds);
        }
        row.leq = average.Leq();
        row.lmax = average.Lmax();
        row.lmin = average.Lmin();
        std::array<double, 3> exceeded{};
        ExceededLevels(std::span(grouped).subspan(begins[r], begins[r + 1] - begins[r]), Percents, exceeded);
        row.l10 = exceeded[0];
        row.l50 = exceeded[1];
        row.l90 = exceeded[2];
    }
    return rows;
}

#include "leq/NoiseMetrics.h"

#include "leq/EmptyLevel.h"
#include "leq/EnergyAverage.h"
#include "leq/ExceededLevels.h"
#include "leq/OccupationalExposure.h"
#include "link/MeasurableLevel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <unordered_map>
#include <vector>

namespace {

enum Period { Day, Evening, Night, NoPeriod };

// A sample's part of the day and the date it belongs to: a night belongs to the date it starts
// on, as in the day-evening-night table.
struct PartOfDay {
    Period period = NoPeriod;
    long long date = 0;
};

// By the clock time of the sample, to the millisecond, so that 07:00:00 is day and not night.
PartOfDay PartOf(double days)
{
    constexpr long long MsPerHour = 3600000;
    if (!std::isfinite(days) || std::fabs(days) > 1.0e7)
        return {};
    auto date = static_cast<long long>(std::floor(days));
    long long ms = std::llround((days - std::floor(days)) * 86400000.0);
    if (ms >= 24 * MsPerHour) {
        ++date;
        ms -= 24 * MsPerHour;
    }
    if (ms >= 7 * MsPerHour && ms < 19 * MsPerHour)
        return {Day, date};
    if (ms >= 19 * MsPerHour && ms < 23 * MsPerHour)
        return {Evening, date};
    return {Night, ms < 7 * MsPerHour ? date - 1 : date};
}

}  // namespace

NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds, Weighting weighting)
{
    const std::size_t count = std::min(times.size(), levels.size());
    NoiseMetrics result;
    result.weighting = weighting;
    std::vector<float> valid;
    valid.reserve(count);
    // Each level goes into the average of its period of the day, for Lden; together they
    // give the whole. One energy per level: its power is the costly part of the walk.
    std::array<EnergyAverage, NoPeriod + 1> periods;
    // Lden is given as the day-evening-night table gives it: only when a date holds samples of
    // every part of its day (a night from 22:00 to 07:30 gives none).
    std::unordered_map<long long, unsigned> partsOfDate;
    bool wholeDay = false;
    for (std::size_t i = 0; i < count; ++i) {
        const float level = levels[i];
        if (level == EmptyLevel) {
            ++result.emptyPoints;
            continue;
        }
        if (!IsMeasurableLevel(level)) {
            ++result.replacedSamples;
            continue;
        }
        valid.push_back(level);
        const PartOfDay part = PartOf(times[i]);
        periods[part.period].Add(level);
        if (part.period != NoPeriod && !wholeDay) {
            unsigned& parts = partsOfDate[part.date];
            parts |= 1u << part.period;
            wholeDay = parts == 0b111u;
        }
    }
    EnergyAverage average;
    for (const EnergyAverage& period : periods)
        average.Add(period);

    const int n = static_cast<int>(valid.size());
    result.validSamples = n;
    if (n == 0)
        return result;
    result.leq = average.Leq();
    result.lmax = average.Lmax();
    result.lmin = average.Lmin();
    constexpr std::array<int, 5> Percents{95, 90, 50, 10, 5};
    std::array<double, 5> exceeded{};
    ExceededLevels(valid, Percents, exceeded);
    result.l95 = exceeded[0];
    result.l90 = exceeded[1];
    result.l50 = exceeded[2];
    result.l10 = exceeded[3];
    result.l5 = exceeded[4];

    if (std::isfinite(intervalSeconds) && intervalSeconds > 0.0) {
        result.seconds = n * intervalSeconds;
        result.sel = *result.leq + 10.0 * std::log10(result.seconds);
        if (!ExposureNotGivenReason(weighting)) {
            result.lex8h = Lex8h(*result.leq, result.seconds);
            result.dosePercent = Dose85Percent(*result.leq, result.seconds);
        }
    }

    const std::optional<double> day = periods[Day].Leq();
    const std::optional<double> evening = periods[Evening].Leq();
    const std::optional<double> night = periods[Night].Leq();
    if (day && evening && night && wholeDay) {
        // Evening levels count 5 dB and night levels 10 dB louder, over their hours of the day.
        result.lden = LevelOfEnergy((12.0 * EnergyOfLevel(*day) + 4.0 * EnergyOfLevel(*evening + 5.0) +
                                     8.0 * EnergyOfLevel(*night + 10.0)) / 24.0);
    }
    return result;
}

NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds, int lo, int hi, Weighting weighting)
{
    const int count = static_cast<int>(std::min(times.size(), levels.size()));
    if (count == 0)
        return ComputeNoiseMetrics({}, {}, intervalSeconds, weighting);
    const int first = std::clamp(std::min(lo, hi), 0, count - 1);
    const int last = std::clamp(std::max(lo, hi), 0, count - 1);
    const auto length = static_cast<std::size_t>(last - first + 1);
    return ComputeNoiseMetrics(times.subspan(first, length), levels.subspan(first, length),
                               intervalSeconds, weighting);
}

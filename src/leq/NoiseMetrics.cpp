#include "NoiseMetrics.h"

#include "EmptyLevel.h"
#include "EnergyAverage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double EightHours = 28800.0;
constexpr double DoseLevel = 85.0;

enum Period { Day, Evening, Night, NoPeriod };

// By the clock time of the sample, to the millisecond, so that 07:00:00 is day and not night.
Period PeriodOf(double days)
{
    constexpr long long MsPerHour = 3600000;
    if (!std::isfinite(days))
        return NoPeriod;
    const long long ms = std::llround((days - std::floor(days)) * 86400000.0);
    if (ms >= 7 * MsPerHour && ms < 19 * MsPerHour)
        return Day;
    if (ms >= 19 * MsPerHour && ms < 23 * MsPerHour)
        return Evening;
    return Night;
}

// The level exceeded by N % of the levels: sorted from high to low, the one at position
// ceil(N / 100 x n) counting from 1.
double Exceeded(std::vector<float>& levels, int percent)
{
    const long long n = static_cast<long long>(levels.size());
    const long long position = (percent * n + 99) / 100;
    // Position p from the top is index n - p from the bottom.
    const auto nth = levels.begin() + (n - position);
    std::nth_element(levels.begin(), nth, levels.end());
    return *nth;
}

}  // namespace

NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds)
{
    const std::size_t count = std::min(times.size(), levels.size());
    NoiseMetrics result;
    std::vector<float> valid;
    valid.reserve(count);
    EnergyAverage average;
    std::array<double, 3> periodEnergy{};
    std::array<int, 3> periodCount{};
    for (std::size_t i = 0; i < count; ++i) {
        const float level = levels[i];
        if (level == EmptyLevel) {
            ++result.emptyPoints;
            continue;
        }
        if (!IsMeasuredLevel(level)) {
            ++result.replacedSamples;
            continue;
        }
        valid.push_back(level);
        average.Add(level);
        if (const Period period = PeriodOf(times[i]); period != NoPeriod) {
            periodEnergy[period] += EnergyOfLevel(level);
            ++periodCount[period];
        }
    }

    const int n = static_cast<int>(valid.size());
    result.validSamples = n;
    if (n == 0)
        return result;
    result.leq = average.Leq();
    result.lmax = average.Lmax();
    result.lmin = average.Lmin();
    result.l5 = Exceeded(valid, 5);
    result.l10 = Exceeded(valid, 10);
    result.l50 = Exceeded(valid, 50);
    result.l90 = Exceeded(valid, 90);
    result.l95 = Exceeded(valid, 95);

    if (std::isfinite(intervalSeconds) && intervalSeconds > 0.0) {
        result.seconds = n * intervalSeconds;
        result.sel = *result.leq + 10.0 * std::log10(result.seconds);
        result.lex8h = *result.leq + 10.0 * std::log10(result.seconds / EightHours);
        result.dosePercent =
            100.0 * (result.seconds / EightHours) * std::pow(10.0, (*result.leq - DoseLevel) / 10.0);
    }

    if (periodCount[Day] > 0 && periodCount[Evening] > 0 && periodCount[Night] > 0) {
        const double day = periodEnergy[Day] / periodCount[Day];
        const double evening = periodEnergy[Evening] / periodCount[Evening];
        const double night = periodEnergy[Night] / periodCount[Night];
        // Evening levels count 5 dB and night levels 10 dB louder, over their hours of the day.
        result.lden = LevelOfEnergy((12.0 * day + 4.0 * evening * std::pow(10.0, 0.5) +
                             8.0 * night * 10.0) / 24.0);
    }
    return result;
}

NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds, int lo, int hi)
{
    const int count = static_cast<int>(std::min(times.size(), levels.size()));
    if (count == 0)
        return ComputeNoiseMetrics({}, {}, intervalSeconds);
    const int first = std::clamp(std::min(lo, hi), 0, count - 1);
    const int last = std::clamp(std::max(lo, hi), 0, count - 1);
    const auto length = static_cast<std::size_t>(last - first + 1);
    return ComputeNoiseMetrics(times.subspan(first, length), levels.subspan(first, length),
                               intervalSeconds);
}

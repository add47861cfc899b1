#include "leq/NoiseMetrics.h"

#include "leq/EmptyLevel.h"
#include "leq/EnergyAverage.h"
#include "link/MeasurableLevel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
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

// Puts the levels of the given ranks (ascending positions in sorted order, strictly increasing)
// in their places. Each selection splits the levels around its rank, so the next one
// searches only the part it lies in: the five percentiles cost about two selections, not five.
void SelectRanks(std::vector<float>& levels, std::span<const std::size_t> ranks, std::size_t lo, std::size_t hi)
{
    if (ranks.empty())
        return;
    const std::size_t middle = ranks.size() / 2;
    const std::size_t rank = ranks[middle];
    const auto at = [&levels](std::size_t i) { return levels.begin() + static_cast<std::ptrdiff_t>(i); };
    std::nth_element(at(lo), at(rank), at(hi));
    SelectRanks(levels, ranks.first(middle), lo, rank);
    SelectRanks(levels, ranks.subspan(middle + 1), rank + 1, hi);
}

// The position, from the bottom, of the level exceeded by N % of n levels: sorted from high
// to low it is the one at position ceil(N / 100 x n) counting from 1.
std::size_t ExceededRank(std::size_t n, int percent)
{
    const std::size_t position = (static_cast<std::size_t>(percent) * n + 99) / 100;
    return n - position;
}

// L95, L90, L50, L10 and L5 of the levels, which it reorders.
std::array<double, 5> ExceededLevels(std::vector<float>& levels)
{
    constexpr std::array<int, 5> Percents{95, 90, 50, 10, 5};
    const std::size_t n = levels.size();
    std::array<std::size_t, 5> ranks{};
    std::transform(Percents.begin(), Percents.end(), ranks.begin(),
                   [n](int percent) { return ExceededRank(n, percent); });
    // Few levels give some percentiles the same rank.
    std::array<std::size_t, 5> distinct = ranks;
    const auto end = std::unique(distinct.begin(), distinct.end());
    SelectRanks(levels, std::span(distinct.begin(), end), 0, n);
    std::array<double, 5> exceeded{};
    std::transform(ranks.begin(), ranks.end(), exceeded.begin(), [&levels](std::size_t rank) { return levels[rank]; });
    return exceeded;
}

}  // namespace

NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds)
{
    const std::size_t count = std::min(times.size(), levels.size());
    NoiseMetrics result;
    std::vector<float> valid;
    valid.reserve(count);
    // Each level goes into the average of its period of the day, for Lden; together they
    // give the whole. One energy per level: its power is the costly part of the walk.
    std::array<EnergyAverage, NoPeriod + 1> periods;
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
        periods[PeriodOf(times[i])].Add(level);
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
    const std::array<double, 5> exceeded = ExceededLevels(valid);
    result.l95 = exceeded[0];
    result.l90 = exceeded[1];
    result.l50 = exceeded[2];
    result.l10 = exceeded[3];
    result.l5 = exceeded[4];

    if (std::isfinite(intervalSeconds) && intervalSeconds > 0.0) {
        result.seconds = n * intervalSeconds;
        result.sel = *result.leq + 10.0 * std::log10(result.seconds);
        result.lex8h = *result.leq + 10.0 * std::log10(result.seconds / EightHours);
        result.dosePercent =
            100.0 * (result.seconds / EightHours) * std::pow(10.0, (*result.leq - DoseLevel) / 10.0);
    }

    const std::optional<double> day = periods[Day].Leq();
    const std::optional<double> evening = periods[Evening].Leq();
    const std::optional<double> night = periods[Night].Leq();
    if (day && evening && night) {
        // Evening levels count 5 dB and night levels 10 dB louder, over their hours of the day.
        result.lden = LevelOfEnergy((12.0 * EnergyOfLevel(*day) + 4.0 * EnergyOfLevel(*evening + 5.0) +
                                     8.0 * EnergyOfLevel(*night + 10.0)) / 24.0);
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

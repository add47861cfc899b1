#include "leq/Exclusions.h"

#include "leq/WallClockMs.h"
#include "link/MeasurableLevel.h"

#include <algorithm>

ExcludedTimes::ExcludedTimes(std::span<const Exclusion> exclusions)
{
    for (const Exclusion& exclusion : exclusions) {
        const std::optional<std::int64_t> from = WallClockMs(exclusion.from);
        const std::optional<std::int64_t> to = WallClockMs(exclusion.to);
        if (from && to && *from < *to)
            spans.emplace_back(*from, *to);
    }
    std::sort(spans.begin(), spans.end());
    // Overlapping spans become one, so that a time can be looked up by the start before it.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (kept > 0 && spans[i].first <= spans[kept - 1].second)
            spans[kept - 1].second = std::max(spans[kept - 1].second, spans[i].second);
        else
            spans[kept++] = spans[i];
    }
    spans.resize(kept);
}

bool ExcludedTimes::Contains(std::int64_t ms) const
{
    if (spans.empty())
        return false;
    const auto after = std::upper_bound(spans.begin(), spans.end(), ms,
                                        [](std::int64_t t, const auto& span) { return t < span.first; });
    return after != spans.begin() && ms < std::prev(after)->second;
}

KeptPoints WithoutExclusions(std::span<const double> times, std::span<const float> levels,
                             std::span<const Exclusion> exclusions)
{
    const ExcludedTimes excluded(exclusions);
    const std::size_t count = std::min(times.size(), levels.size());
    KeptPoints kept;
    kept.times.reserve(count);
    kept.levels.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::int64_t> ms = WallClockMs(times[i]);
        if (ms && excluded.Contains(*ms))
            continue;
        kept.times.push_back(times[i]);
        kept.levels.push_back(levels[i]);
    }
    return kept;
}

RemovedTime TimeRemovedByExclusions(std::span<const double> times, std::span<const float> levels,
                                    double intervalSeconds, std::span<const Exclusion> exclusions)
{
    std::vector<std::int64_t> measured;
    const std::size_t count = std::min(times.size(), levels.size());
    measured.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        if (const std::optional<std::int64_t> ms = WallClockMs(times[i]); ms && IsMeasurableLevel(levels[i]))
            measured.push_back(*ms);
    std::sort(measured.begin(), measured.end());
    const auto within = [&measured](std::int64_t from, std::int64_t to) {
        return std::lower_bound(measured.begin(), measured.end(), to) - std::lower_bound(measured.begin(), measured.end(), from);
    };
    RemovedTime removed;
    removed.each.reserve(exclusions.size());
    for (const Exclusion& exclusion : exclusions) {
        const std::optional<std::int64_t> from = WallClockMs(exclusion.from);
        const std::optional<std::int64_t> to = WallClockMs(exclusion.to);
        const auto samples = from && to && *from < *to ? within(*from, *to) : 0;
        removed.each.push_back(static_cast<double>(samples) * intervalSeconds);
    }
    std::int64_t together = 0;
    const ExcludedTimes merged(exclusions);
    for (const auto& [from, to] : merged.Spans())
        together += within(from, to);
    removed.total = static_cast<double>(together) * intervalSeconds;
    return removed;
}

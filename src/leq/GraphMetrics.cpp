#include "leq/GraphMetrics.h"

#include <algorithm>

GraphMetrics ComputeGraphMetrics(std::span<const double> times, std::span<const float> levels, SampleInterval interval,
                                 int cursorA, int cursorB, Weighting weighting, std::span<const Exclusion> exclusions)
{
    GraphMetrics result;
    result.interval = interval;
    result.whole = ComputeNoiseMetrics(times, levels, result.interval.seconds, weighting);
    result.between = ComputeNoiseMetrics(times, levels, result.interval.seconds, cursorA, cursorB, weighting);
    if (exclusions.empty())
        return result;
    // The samples between the cursors, both included, as the measured column takes them.
    const auto count = static_cast<int>(std::min(times.size(), levels.size()));
    if (count > 0) {
        const auto lo = static_cast<std::size_t>(std::clamp(std::min(cursorA, cursorB), 0, count - 1));
        const auto hi = static_cast<std::size_t>(std::clamp(std::max(cursorA, cursorB), 0, count - 1));
        const KeptPoints between =
            WithoutExclusions(times.subspan(lo, hi - lo + 1), levels.subspan(lo, hi - lo + 1), exclusions);
        result.betweenKept = ComputeNoiseMetrics(between.times, between.levels, result.interval.seconds, weighting);
    } else {
        result.betweenKept = ComputeNoiseMetrics({}, {}, result.interval.seconds, weighting);
    }
    const KeptPoints whole = WithoutExclusions(times, levels, exclusions);
    result.wholeKept = ComputeNoiseMetrics(whole.times, whole.levels, result.interval.seconds, weighting);
    return result;
}

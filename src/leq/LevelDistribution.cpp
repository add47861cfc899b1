#include "leq/LevelDistribution.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool IsClassWidth(double widthDb)
{
    const double tenths = widthDb * 10.0;
    return widthDb >= NarrowestClassDb - 1e-9 && widthDb <= WidestClassDb + 1e-9
        && std::fabs(tenths - std::round(tenths)) < 1e-6;
}

std::vector<DistributionRow> ComputeLevelDistribution(const SurveySeries& series, double widthDb)
{
    if (!(widthDb >= NarrowestClassDb - 1e-9 && widthDb <= WidestClassDb + 1e-9))
        return {};
    const std::int64_t width = std::llround(widthDb * 1000.0);
    // Valid levels lie between 20 and 140 dB: at most 1200 / 0.1 + 1 classes.
    const std::int64_t lowest = FloorDiv(std::llround(LowestMeasurableDb * 1000.0), width);
    const std::int64_t highest = FloorDiv(std::llround(HighestMeasurableDb * 1000.0), width);
    std::vector<std::int64_t> counts(static_cast<std::size_t>(highest - lowest + 1), 0);
    std::int64_t total = 0;
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    std::int64_t last = std::numeric_limits<std::int64_t>::min();
    ForEachKeptSample(series, [&](std::size_t, std::int64_t, float level) {
        const std::int64_t k = FloorDiv(RoundToWhole(static_cast<double>(level) * 1000.0), width);
        ++counts[static_cast<std::size_t>(k - lowest)];
        first = std::min(first, k);
        last = std::max(last, k);
        ++total;
    });
    if (total == 0)
        return {};

    std::vector<DistributionRow> rows(static_cast<std::size_t>(last - first + 1));
    std::int64_t atOrAbove = 0;
    for (std::int64_t k = last; k >= first; --k) {
        const std::int64_t count = counts[static_cast<std::size_t>(k - lowest)];
        atOrAbove += count;
        DistributionRow& row = rows[static_cast<std::size_t>(k - first)];
        row.low = static_cast<double>(k * width) / 1000.0;
        row.high = static_cast<double>((k + 1) * width) / 1000.0;
        row.percent = 100.0 * static_cast<double>(count) / static_cast<double>(total);
        row.cumulativePercent = 100.0 * static_cast<double>(atOrAbove) / static_cast<double>(total);
    }
    return rows;
}

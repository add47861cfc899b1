#include "graph/GraphStatistics.h"

#include "shell/Formats.h"

#include <algorithm>

int FilledPoints(const double* times, int count)
{
    int filled = 0;
    while (filled < count && times[filled] != 0.0)
        ++filled;
    return filled;
}

GraphStatistics ComputeGraphStatistics(const double* times, const float* levels, int count)
{
    GraphStatistics result;
    if (count <= 0)
        return result;
    result.count = count;
    result.start = RoundForDisplay(times[0]);
    result.intervalSeconds = (times[count - 1] - result.start) * 86400.0 / count;
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const float level = levels[i];
        sum += level;
        if (level > result.maximum) {
            result.maximum = level;
            result.maximumIndex = i;
        }
        if (level < result.minimum) {
            result.minimum = level;
            result.minimumIndex = i;
        }
    }
    result.average = sum / count;
    return result;
}

CursorStatistics ComputeCursorStatistics(const double* times, const float* levels, int count,
                                         int cursorA, int cursorB)
{
    CursorStatistics result;
    if (count <= 0)
        return result;
    const int lo = std::clamp(std::min(cursorA, cursorB), 0, count - 1);
    const int hi = std::clamp(std::max(cursorA, cursorB), 0, count - 1);
    double sum = 0.0;
    for (int i = lo; i <= hi; ++i) {
        const float level = levels[i];
        sum += level;
        if (level > result.maximum) {
            result.maximum = level;
            result.maximumTime = times[i];
        }
        if (level < result.minimum) {
            result.minimum = level;
            result.minimumTime = times[i];
        }
    }
    result.average = sum / (hi - lo + 1);
    result.empty = false;
    return result;
}

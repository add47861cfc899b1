#include "graph/LevelSpan.h"

#include "link/MeasurableLevel.h"

#include <algorithm>
#include <cmath>

LevelSpan LevelSpanOf(std::span<const float> levels)
{
    float lowest = 0.0f;
    float highest = 0.0f;
    bool any = false;
    for (const float level : levels) {
        if (!IsMeasurableLevel(level))
            continue;
        lowest = any ? std::min(lowest, level) : level;
        highest = any ? std::max(highest, level) : level;
        any = true;
    }
    if (!any)
        return {};
    LevelSpan span{std::floor(lowest / 10.0f) * 10.0f, std::ceil(highest / 10.0f) * 10.0f};
    if (span.top - span.bottom < 20.0f) {
        const float middle = std::round((span.top + span.bottom) / 20.0f) * 10.0f;
        span = {middle - 10.0f, middle + 10.0f};
    }
    return span;
}

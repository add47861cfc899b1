#include "survey/CursorSpan.h"

#include "leq/WallClockMs.h"

#include <algorithm>

std::optional<Exclusion> ExclusionBetweenCursors(std::span<const double> times, int cursorA, int cursorB,
                                                 double intervalSeconds, const QString& reason)
{
    const int count = static_cast<int>(times.size());
    if (cursorA < 0 || cursorB < 0 || cursorA >= count || cursorB >= count)
        return std::nullopt;
    const std::optional<std::int64_t> a = WallClockMs(times[static_cast<std::size_t>(cursorA)]);
    const std::optional<std::int64_t> b = WallClockMs(times[static_cast<std::size_t>(cursorB)]);
    if (!a || !b)
        return std::nullopt;
    const std::int64_t from = std::min(*a, *b);
    const std::int64_t last = std::max(*a, *b);
    const std::int64_t to = last + std::max<std::int64_t>(MsOfSeconds(intervalSeconds), 1);
    return Exclusion{DaysOfMs(from), DaysOfMs(to), reason};
}

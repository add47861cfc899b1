#include "leq/ExceedanceEvents.h"

#include "leq/EnergyAverage.h"

#include <algorithm>
#include <cmath>

namespace {

// The slots from one sample to the next: the time between them in intervals, at least one,
// so that a clock set back or a reading a little late does not break an event.
std::int64_t SlotsBetween(std::int64_t fromMs, std::int64_t toMs, std::int64_t intervalMs)
{
    const std::int64_t delta = toMs - fromMs;
    return delta <= 0 ? 1 : std::max<std::int64_t>(1, (delta + intervalMs / 2) / intervalMs);
}

}  // namespace

ExceedanceEvents FindExceedanceEvents(const SurveySeries& series, const EventSettings& settings)
{
    ExceedanceEvents result;
    const std::int64_t intervalMs = MsOfSeconds(series.intervalSeconds);
    if (intervalMs <= 0 || !(std::fabs(settings.aboveDb) < 1.0e9))
        return result;
    const std::int64_t minimumMs = MsOfSeconds(settings.minSeconds);
    const std::int64_t bridgeMs = MsOfSeconds(settings.bridgeSeconds);
    // In thousandths of a dB, so that a level stored as the float 65.1 is at or above 65.1.
    const std::int64_t threshold = RoundToWhole(settings.aboveDb * 1000.0);
    const ExcludedTimes excluded(series.exclusions);
    const auto kept = [&](std::size_t i, std::int64_t ms) {
        return IsMeasurableLevel(series.levels[i]) && !excluded.Contains(ms);
    };

    struct Open {
        std::size_t first, last;
        std::int64_t firstMs, lastMs, firstSlot, lastSlot;
    };
    std::optional<Open> open;
    const auto close = [&] {
        const std::int64_t spanMs = (open->lastSlot - open->firstSlot + 1) * intervalMs;
        if (spanMs >= minimumMs) {
            ExceedanceEvent event;
            event.first = open->first;
            event.last = open->last;
            event.start = DaysOfMs(open->firstMs);
            event.end = DaysOfMs(open->lastMs + intervalMs);
            event.seconds = static_cast<double>(spanMs) / 1000.0;
            EnergyAverage average;
            for (std::size_t i = open->first; i <= open->last; ++i)
                if (const std::optional<std::int64_t> ms = WallClockMs(series.times[i]); ms && kept(i, *ms))
                    average.Add(series.levels[i]);
            event.leq = average.Leq();
            event.lmax = average.Lmax();
            // The sound exposure of what was measured: unknown samples add no energy.
            event.sel = *event.leq + 10.0 * std::log10(static_cast<double>(average.Count()) * series.intervalSeconds);
            result.events.push_back(event);
        }
        open.reset();
    };

    // The longest run of unknown samples an event runs through.
    const std::int64_t unknownRunMs = std::max(bridgeMs, intervalMs);
    int measured = 0;
    int above = 0;
    std::int64_t unknownSlots = 0;  // since the open event's last loud sample
    std::optional<std::int64_t> previousMs;
    std::int64_t slot = 0;
    for (std::size_t i = 0; i < series.Count(); ++i) {
        const std::optional<std::int64_t> ms = WallClockMs(series.times[i]);
        if (!ms)
            continue;
        if (previousMs)
            slot += SlotsBetween(*previousMs, *ms, intervalMs);
        previousMs = ms;
        if (!kept(i, *ms)) {
            ++unknownSlots;
            continue;
        }
        ++measured;
        if (RoundToWhole(static_cast<double>(series.levels[i]) * 1000.0) < threshold)
            continue;
        ++above;
        if (open) {
            const std::int64_t dipSlots = slot - open->lastSlot - 1 - unknownSlots;
            if ((dipSlots > 0 && dipSlots * intervalMs >= bridgeMs) || unknownSlots * intervalMs > unknownRunMs)
                close();
        }
        unknownSlots = 0;
        if (open) {
            open->last = i;
            open->lastMs = *ms;
            open->lastSlot = slot;
        } else {
            open = Open{i, i, *ms, *ms, slot, slot};
        }
    }
    if (open)
        close();

    result.secondsAbove = above * series.intervalSeconds;
    result.measuredSeconds = measured * series.intervalSeconds;
    if (measured > 0)
        result.percentAbove = 100.0 * above / measured;
    return result;
}

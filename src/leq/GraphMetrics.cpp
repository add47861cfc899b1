#include "leq/GraphMetrics.h"

GraphMetrics ComputeGraphMetrics(std::span<const double> times, std::span<const float> levels, double recordedSeconds,
                                 int cursorA, int cursorB, Weighting weighting)
{
    GraphMetrics result;
    result.interval = recordedSeconds > 0.0 ? SampleInterval{recordedSeconds, true}
                                            : SampleInterval{IntervalOfTimes(times), false};
    result.whole = ComputeNoiseMetrics(times, levels, result.interval.seconds, weighting);
    result.between = ComputeNoiseMetrics(times, levels, result.interval.seconds, cursorA, cursorB, weighting);
    return result;
}

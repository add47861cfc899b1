#pragma once
#include <QString>

#include <span>

// The time between samples that the noise metrics take T from.
struct SampleInterval {
    double seconds = 0.0;     // 0 when not known
    bool recorded = false;    // the recording's own interval, not one read from the times
};

// The mean spacing of points at these times (days): the span from the first to the last over
// the gaps between them. 0 for fewer than two points or times that do not increase.
double IntervalOfTimes(std::span<const double> times);

// Which interval the metrics used and where it came from: "0.5 s (the mean spacing of the
// points' times)"; and the same as a line of its own, after "Sample interval: ".
QString IntervalDescription(const SampleInterval& interval);
QString SampleIntervalText(const SampleInterval& interval);

#pragma once
#include "leq/SurveySeries.h"

#include <optional>
#include <vector>

struct EventSettings {
    double aboveDb = 70.0;       // L: a sample at or above it is loud
    double minSeconds = 10.0;    // D: the shortest event that counts
    double bridgeSeconds = 0.0;  // G: quieter dips shorter than this belong to the event
    bool operator==(const EventSettings&) const = default;
};

// A time the level stayed at or above L. Each sample stands for the interval that starts at
// its time.
struct ExceedanceEvent {
    std::size_t first = 0;  // its first and last loud samples' indices (the bridged ones between
    std::size_t last = 0;   // belong to it)
    double start = 0.0;     // wall-clock days: the first sample's time ...
    double end = 0.0;       // ... and the last's plus the interval
    double seconds = 0.0;   // from start to end: its slots x interval, bridged dips included
    std::optional<double> leq, lmax, sel;  // over its valid samples
};

struct ExceedanceEvents {
    std::vector<ExceedanceEvent> events;
    double secondsAbove = 0.0;     // valid samples at or above L x interval
    double measuredSeconds = 0.0;  // valid samples x interval
    std::optional<double> percentAbove;
};

// The events of a recording. Samples are taken in their order, each a slot of the interval; a
// time gap between two samples counts as the slots it leaves empty, so that a recording's gaps
// are dips too. A sample the meter could not measure, or one excluded, is unknown: neither loud
// nor quiet. An event ends at the last loud sample before a dip of quiet slots x interval >= G
// (any dip when G is 0), or before a run of unknown samples longer than G or one interval,
// whichever is longer; it counts when its span from first to last loud sample holds slots x
// interval >= D. Nothing without a known interval.
ExceedanceEvents FindExceedanceEvents(const SurveySeries& series, const EventSettings& settings);

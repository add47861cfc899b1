#pragma once
#include "leq/Exclusions.h"
#include "leq/NoiseMetrics.h"
#include "leq/SampleInterval.h"

#include <optional>
#include <span>

// The noise metrics of a graph's levels: of the whole graph and of the points between its
// cursors A and B, both included.
struct GraphMetrics {
    SampleInterval interval;
    NoiseMetrics whole;
    NoiseMetrics between;
    // The same with the exclusions left out, when there are any.
    std::optional<NoiseMetrics> wholeKept;
    std::optional<NoiseMetrics> betweenKept;
};

// The interval is the recording's when it is known (recordedSeconds > 0), else the spacing of
// the points.
GraphMetrics ComputeGraphMetrics(std::span<const double> times, std::span<const float> levels, double recordedSeconds,
                                 int cursorA, int cursorB, Weighting weighting = Weighting::Unknown,
                                 std::span<const Exclusion> exclusions = {});

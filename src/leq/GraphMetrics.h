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

// interval is the recording's, as its rule gives it (IntervalOf).
GraphMetrics ComputeGraphMetrics(std::span<const double> times, std::span<const float> levels, SampleInterval interval,
                                 int cursorA, int cursorB, Weighting weighting = Weighting::Unknown,
                                 std::span<const Exclusion> exclusions = {});

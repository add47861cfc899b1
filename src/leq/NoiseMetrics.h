#pragma once
#include "leq/Weighting.h"

#include <optional>
#include <span>

// The noise measures of a series of levels, over its valid samples: levels from 20.0 to
// 140.0 dB. Empty points and samples stored as 0 (or any other level out of that range) are
// left out and counted.
struct NoiseMetrics {
    Weighting weighting = Weighting::Unknown;  // what the levels were measured with
    int validSamples = 0;
    int emptyPoints = 0;       // the chart's null value
    int replacedSamples = 0;   // stored as 0 by the logger, or otherwise outside 20-140 dB
    double seconds = 0.0;      // T: valid samples x interval

    // None without valid samples; the three measures of T also need a positive interval.
    std::optional<double> leq, lmax, lmin;
    std::optional<double> l5, l10, l50, l90, l95;  // level exceeded for N % of the samples
    // Dose: 85 dB for 8 hours is 100 %. LEX,8h and the dose need A-weighted levels: none for
    // levels known to be otherwise (ExposureNotGivenReason).
    std::optional<double> sel, lex8h, dosePercent;
    // Day-evening-night level; only when day (07-19), evening (19-23) and night (23-07)
    // all hold samples, by the local clock time of each sample.
    std::optional<double> lden;
};

// times in days, levels in dB; the two are paired point by point and any excess of the longer
// one is ignored.
NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds, Weighting weighting = Weighting::Unknown);

// The span between two cursors: points lo..hi, both included, in either order; indices outside
// the series are brought to its nearest point.
NoiseMetrics ComputeNoiseMetrics(std::span<const double> times, std::span<const float> levels,
                                 double intervalSeconds, int lo, int hi, Weighting weighting = Weighting::Unknown);

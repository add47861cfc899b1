#pragma once
#include "leq/SurveySeries.h"
#include "recording/Recording.h"

#include <span>
#include <vector>

// A recording as an analysis takes it: its times, and a copy of its levels with a survey's
// calibration offset added. The recording keeps the levels as measured; this is the one place
// where the offset reaches levels, for the windows and the command line alike.
struct AnalysedRecording {
    const Recording& recording;
    std::vector<float> levels;

    std::span<const double> Times() const { return recording.Times(); }
    std::span<const float> Levels() const { return levels; }
};

AnalysedRecording Analysed(const Recording& recording, double offsetDb);

// The series every analysis reads: the analysed levels, the interval by the recording's rule,
// and the spans left out.
SurveySeries SeriesOf(const AnalysedRecording& analysed, std::span<const Exclusion> exclusions);

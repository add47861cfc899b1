#pragma once
#include <span>
#include <vector>

class TfrmGraph;

// A graph's levels as its analysis, metrics and report take them: the filled points of its
// first series, with the survey's calibration offset added. The chart keeps the levels as
// measured, so the copy is made here, once for every reader.
struct AnalysedLevels {
    std::span<const double> times;
    std::vector<float> levels;
};

AnalysedLevels AnalysedLevelsOf(const TfrmGraph& graph);

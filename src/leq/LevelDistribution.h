#pragma once
#include "leq/SurveySeries.h"

#include <vector>

// The class widths a distribution takes, in dB.
constexpr double NarrowestClassDb = 0.1;
constexpr double WidestClassDb = 5.0;
// The widths offered: 0.1 to 5.0 dB in steps of 0.1, the meter's resolution, so that every
// class bound is a level the meter can show.
bool IsClassWidth(double widthDb);

// One class of levels [low, high).
struct DistributionRow {
    double low = 0.0;
    double high = 0.0;
    double percent = 0.0;            // of the valid samples, in this class
    double cumulativePercent = 0.0;  // at or above low: the curve the LN values are read from
};

// Classes of width w dB whose lower bounds are whole multiples of w; a level L falls in the
// one from w floor(L / w), counted in thousandths of a dB so that 70.0 with w = 0.1 is in
// [70.0, 70.1) however the level was stored. One row for each class from the lowest to the
// highest that holds a sample, empty ones between included. Nothing without valid samples or
// for a width outside 0.1-5.0 dB.
std::vector<DistributionRow> ComputeLevelDistribution(const SurveySeries& series, double widthDb);

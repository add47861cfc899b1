#pragma once
#include "graph/StatisticText.h"

// The texts of a graph window's statistics boxes for points 0..count-1 of subset 0: the
// whole graph's start, sampling rate, number, mean and extremes, and the points under cursors
// A and B with the extremes and mean between them. The sampling rate is the recording's own
// interval when it is known (recordedSeconds > 0), else the points' mean spacing. What the
// window shows and what a report prints come from here.
StatisticBoxes GraphBoxes(const double* times, const float* levels, int count, int cursorA, int cursorB,
                          double recordedSeconds = 0.0);

// The whole-graph part alone, the cursor boxes left empty.
StatisticBoxes WholeGraphBoxes(const double* times, const float* levels, int count, double recordedSeconds = 0.0);

// A date-time with its milliseconds dropped, as the cursor extremes and the pointer readout
// show it (without display rounding).
double WithoutMilliseconds(double days);

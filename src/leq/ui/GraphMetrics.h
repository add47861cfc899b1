#pragma once
#include "leq/NoiseMetrics.h"
#include "leq/SampleInterval.h"

#include <QString>

class TfrmGraph;

// The noise metrics of a graph window's levels (subset 0, its filled points): of the whole
// graph and of the points between its cursors A and B, both included.
struct GraphMetrics {
    SampleInterval interval;
    NoiseMetrics whole;
    NoiseMetrics between;
};

// The interval is the recording's when the window knows it, else the spacing of the points.
GraphMetrics ComputeGraphMetrics(const TfrmGraph& graph);

// What a graph window shows, for headings: its caption, and the recording's name when its
// maker gave one ("DataLogger \u2013 Data set 2").
QString GraphTitle(const TfrmGraph& graph);

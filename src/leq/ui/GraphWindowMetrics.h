#pragma once
#include "leq/GraphMetrics.h"

#include <QString>

class TfrmGraph;

// The noise metrics of a graph window's levels (subset 0, its filled points), between the
// cursors of its own slider; with its exclusions left out too when it has any.
GraphMetrics ComputeGraphMetrics(const TfrmGraph& graph);

// What a graph window shows, for headings: its caption, and the recording's name when its
// maker gave one ("DataLogger \u2013 Data set 2").
QString GraphTitle(const TfrmGraph& graph);

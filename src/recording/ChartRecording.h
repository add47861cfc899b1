#pragma once
#include "files/ChartState.h"
#include "recording/Recording.h"

#include <QString>

// The recording a chart holds, as a graph file keeps it: the first series, up to its first
// point without a time. A graph knows no interval of its own, nor how its levels were weighted.
// Nothing is read past the points the chart's lists hold.
Recording RecordingOfChart(const ChartState& chart, const QString& sourceFile);

#pragma once
#include "files/ChartState.h"
#include "recording/Recording.h"

#include <QString>

// The recording a chart holds, as a graph file keeps it: the first series, up to its first
// point without a time, with the facts its maker gave (a graph file of an earlier version, or of
// a list, knows none). Nothing is read past the points the chart's lists hold.
Recording RecordingOfChart(const ChartState& chart, const QString& sourceFile);

// The facts of a recording as a chart keeps them for its graph file.
RecordingFacts FactsOf(const Recording& recording);

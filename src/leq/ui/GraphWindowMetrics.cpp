#include "leq/ui/GraphWindowMetrics.h"

#include "graph/GraphStatistics.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"

GraphMetrics ComputeGraphMetrics(const TfrmGraph& graph)
{
    const PESGraph& chart = *graph.PESGraph1;
    const auto points = static_cast<std::size_t>(FilledPoints(chart.XSubset(0), chart.Points()));
    // The window's own slider: another window's cursors are not this graph's.
    return ComputeGraphMetrics(std::span(chart.XSubset(0), points), std::span(chart.YSubset(0), points),
                               graph.Recording.intervalSeconds, graph.Slider1->Value1(), graph.Slider1->Value2(),
                               WeightingOf(graph.Recording.weighting), graph.GraphSurvey().exclusions);
}

QString GraphTitle(const TfrmGraph& graph) { return RecordingTitle(graph.Caption(), graph.Recording); }

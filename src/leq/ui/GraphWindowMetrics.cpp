#include "leq/ui/GraphWindowMetrics.h"

#include "graph/ui/AnalysedLevels.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"

GraphMetrics ComputeGraphMetrics(const TfrmGraph& graph)
{
    const AnalysedLevels analysed = AnalysedLevelsOf(graph);
    // The window's own slider: another window's cursors are not this graph's.
    return ComputeGraphMetrics(analysed.times, analysed.levels,
                               graph.Recording.intervalSeconds, graph.Slider1->Value1(), graph.Slider1->Value2(),
                               WeightingOf(graph.Recording.weighting), graph.GraphSurvey().exclusions);
}

QString GraphTitle(const TfrmGraph& graph) { return RecordingTitle(graph.Caption(), graph.Recording); }

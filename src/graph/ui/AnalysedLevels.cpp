#include "graph/ui/AnalysedLevels.h"

#include "graph/GraphStatistics.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/CalibrationOffset.h"

AnalysedLevels AnalysedLevelsOf(const TfrmGraph& graph)
{
    const PESGraph& chart = *graph.PESGraph1;
    const auto points = static_cast<std::size_t>(FilledPoints(chart.XSubset(0), chart.Points()));
    AnalysedLevels analysed{std::span(chart.XSubset(0), points),
                            std::vector<float>(chart.YSubset(0), chart.YSubset(0) + points)};
    ApplyCalibrationOffset(analysed.levels, graph.GraphSurvey().details.offsetDb);
    return analysed;
}

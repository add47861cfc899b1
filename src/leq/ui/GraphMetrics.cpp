#include "leq/ui/GraphMetrics.h"

#include "graph/GraphStatistics.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"

GraphMetrics ComputeGraphMetrics(const TfrmGraph& graph)
{
    const PESGraph& chart = *graph.PESGraph1;
    const auto points = static_cast<std::size_t>(FilledPoints(chart.XSubset(0), chart.Points()));
    const std::span<const double> times(chart.XSubset(0), points);
    const std::span<const float> levels(chart.YSubset(0), points);

    GraphMetrics result;
    result.interval = graph.Recording.intervalSeconds > 0.0
                          ? SampleInterval{graph.Recording.intervalSeconds, true}
                          : SampleInterval{IntervalOfTimes(times), false};
    result.whole = ComputeNoiseMetrics(times, levels, result.interval.seconds);
    // The window's own slider: the program-wide cursor indices may belong to another graph.
    result.between = ComputeNoiseMetrics(times, levels, result.interval.seconds,
                                         graph.Slider1->Value1(), graph.Slider1->Value2());
    return result;
}

QString GraphTitle(const TfrmGraph& graph)
{
    return graph.Recording.name.isEmpty() ? graph.Caption()
                                          : graph.Caption() + QStringLiteral(" \u2013 ") + graph.Recording.name;
}

#include "leq/ui/LeqGraph.h"

#include "files/ChartState.h"
#include "graph/GraphStatistics.h"
#include "graph/LevelSpan.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/RunningLeq.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

#include <vector>

TfrmGraph& MakeLeqGraph(QWidget& source, const GraphServices& services, const QString& caption, double start,
                        double end, int points)
{
    auto* graph = new TfrmGraph(services);
    graph->setWindowTitle(caption);
    graph->bunCalLEQ->setEnabled(false);

    auto* frame = qobject_cast<QMdiSubWindow*>(source.parentWidget());
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    QMdiSubWindow* own = area ? graph->ShowInArea(area) : nullptr;
    QWidget* closing = own ? static_cast<QWidget*>(own) : graph;
    QObject::connect(&source, &QObject::destroyed, closing, &QWidget::close);

    PESGraph& chart = *graph->PESGraph1;
    PrepareChart(chart, 2, 130.0f, 30.0f, end, start, points);
    ChartState& state = chart.State();
    state.SubsetLabels = {QStringLiteral("SPL"), QStringLiteral("Leq")};
    state.SubsetColors = {PEargb(255, 0, 0, 0), PEargb(255, 255, 0, 0)};
    return *graph;
}

void FinishLeqGraph(TfrmGraph& graph)
{
    if (QWidget* frame = graph.parentWidget())
        frame->showNormal();
    // Both curves in view, over the levels they hold rather than the meter's whole range.
    ChartState& state = graph.PESGraph1->State();
    const LevelSpan span = LevelSpanOf(state.YData);
    state.ManualMinY = span.bottom;
    state.ManualMaxY = span.top;
    graph.RefreshStatistics();
    graph.PESGraph1->ReinitAndReset();
    graph.RedrawChart();
}

TfrmGraph* CalLeqGraph(TfrmGraph& source)
{
    const PESGraph& chart = *source.PESGraph1;
    // Points not yet filled (a real-time graph before its run ends) are no samples.
    const int points = FilledPoints(chart.XSubset(0), chart.Points());
    if (points == 0)
        return nullptr;
    const double* times = chart.XSubset(0);
    const float* levels = chart.YSubset(0);
    // Its own caption, so that the Window menu tells it from its source.
    TfrmGraph& graph = MakeLeqGraph(source, source.Services(), source.Caption() + QStringLiteral(" \u2014 CAL Leq"),
                                    times[0], times[points - 1], points);
    const std::vector<float> leq = CalLeqSeries({levels, static_cast<std::size_t>(points)});
    PESGraph& target = *graph.PESGraph1;
    target.SetSubsetData(0, times, levels, points);
    target.SetSubsetData(1, times, leq.data(), points);
    FinishLeqGraph(graph);
    return &graph;
}

#include "leq/ui/LeqGraph.h"

#include "files/ChartState.h"
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
    const Recording& recording = source.ShownRecording();
    const int points = static_cast<int>(recording.Count());
    if (points == 0)
        return nullptr;
    // Its own caption, so that the Window menu tells it from its source.
    TfrmGraph& graph = MakeLeqGraph(source, source.Services(), source.Caption() + QStringLiteral(" \u2014 CAL Leq"),
                                    recording.times.front(), recording.times[static_cast<std::size_t>(points - 1)],
                                    points);
    const std::vector<float> leq = CalLeqSeries(recording.Levels());
    graph.ShowRecording(recording);
    graph.PESGraph1->SetSubsetData(1, recording.times.data(), leq.data(), points);
    FinishLeqGraph(graph);
    return &graph;
}

#include "RealTimeGraph.h"

#include "AppState.h"
#include "AppWindows.h"
#include "Clock.h"
#include "Formats.h"
#include "GraphHooks.h"
#include "PESGraph.h"
#include "PrepareChart.h"
#include "SamplingRate.h"
#include "TfrmGraph.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QMdiSubWindow>
#include <QSignalBlocker>

TfrmGraph& CreateRealTimeGraph(QMdiArea& area)
{
    auto* graph = new TfrmGraph;
    graph->setWindowTitle(RealTimeCaption);
    QMdiSubWindow* frame = graph->ShowInArea(&area);
    frame->move(frame->x(), 0);
    Windows.RealTimeGraph = graph;
    GraphHooks().CheckRealTimeGraphItem(true);

    graph->tbntSep3->setVisible(true);
    graph->tbntClrAction->setVisible(true);
    const double now = CurrentClock().Now();
    PrepareChart(*graph->PESGraph1, 1, 130.0f, 30.0f, now + 510.0 * App.RealTimeRate * OneSecond,
                 now, 500);
    graph->txtSamplingRate->setEditable(false);
    graph->pnlSamplingRate->setEnabled(true);
    SelectRateEntry(*graph, App.RealTimeRate);
    return *graph;
}

void SelectRateEntry(TfrmGraph& graph, float rate)
{
    const QString entry = RateSelectionText(rate);
    if (entry.isEmpty())
        return;
    // Chosen by the program, not the user: the box's change rule must not run.
    const QSignalBlocker quiet(graph.txtSamplingRate);
    graph.txtSamplingRate->setCurrentIndex(graph.txtSamplingRate->findText(entry));
}

#include "realtime/ui/RealTimeGraph.h"

#include "graph/SamplingRate.h"
#include "graph/ui/GraphHooks.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/AppState.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "shell/ui/AppWindows.h"

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
    QComboBox& box = *graph.txtSamplingRate;
    // A rate beyond the list's last entry is shown as it is, as an entry of its own, so that the
    // box never reads empty and Run starts with that rate.
    QString entry = RateSelectionText(rate);
    if (entry.isEmpty())
        entry = OneDecimalText(rate);
    // Chosen by the program, not the user: the box's change rule must not run.
    const QSignalBlocker quiet(&box);
    if (box.findText(entry) < 0)
        box.addItem(entry);
    box.setCurrentIndex(box.findText(entry));
}

#include "realtime/ui/RealTimeGraph.h"

#include "graph/SamplingRate.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "realtime/RealTimeRun.h"
#include "realtime/ui/RealTimeRole.h"
#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QMdiSubWindow>
#include <QSignalBlocker>

TfrmGraph& CreateRealTimeGraph(QMdiArea& area, const GraphServices& services, RealTimeRun& run,
                               std::function<void()> closed)
{
    auto* graph = new TfrmGraph(services);
    graph->setWindowTitle(RealTimeCaption);
    graph->SetRole(std::make_unique<RealTimeRole>(run, std::move(closed)));
    QMdiSubWindow* frame = graph->ShowInArea(&area);
    frame->move(frame->x(), 0);

    const double now = CurrentClock().Now();
    PrepareChart(*graph->PESGraph1, 1, 130.0f, 30.0f, now + 510.0 * run.Rate * OneSecond, now, 500);
    graph->txtSamplingRate->setEditable(false);
    graph->pnlSamplingRate->setEnabled(true);
    SelectRateEntry(*graph, run.Rate);
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

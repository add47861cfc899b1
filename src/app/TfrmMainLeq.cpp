// The main window's LEQ commands: the LEQ window and its polling timer, CAL Leq of graphs.
#include "app/TfrmMain.h"

#include "graph/ui/TfrmGraph.h"
#include "leq/ui/LeqGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/MeterMonitor.h"
#include "shell/ui/Prompts.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

void TfrmMain::LEQ1Click()
{
    // The recording flag is only as fresh as the monitor's last status.
    if (monitor->Recording()) {
        CurrentPrompts().ShowMessage(QStringLiteral("The meter is recording data, please stop recording first ."));
        return;
    }
    if (leqWindow) {
        leqWindow->parentWidget()->showNormal();
        mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(leqWindow->parentWidget()));
        return;
    }
    auto* window = new TfrmLEQ(*leqTimer, graphServices);
    leqWindow = window;
    connect(window, &TfrmLEQ::Closed, this, [this] { leqWindow = nullptr; });
    window->ShowInArea(mdiArea);
    // The measurement holds the link from Start to its end: the commands that need it follow.
    connect(window, &TfrmLEQ::MeasuringChanged, this, &TfrmMain::UpdateCommandStates);
    connect(window, &QObject::destroyed, this, &TfrmMain::UpdateCommandStates, Qt::QueuedConnection);
    UpdateCommandStates();
}

void TfrmMain::LEQTimerTimer()
{
    if (!leqWindow) {
        leqTimer->stop();
        return;
    }
    leqWindow->LEQTimerTimer();
}

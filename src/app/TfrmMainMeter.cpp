// The main window's work with the meter: what the connection monitor tells, the MAX/MIN
// blinking and the real-time run's commands.
#include "app/TfrmMain.h"

#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/TfrmGraph.h"
#include "link/MeterMonitor.h"
#include "panel/ui/TfrmPanel.h"
#include "realtime/ui/RealTimeGraph.h"
#include "realtime/ui/RealTimeSampling.h"
#include "shell/ui/Prompts.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

void TfrmMain::MainTimerTimer() { monitor->Tick(); }

void TfrmMain::ShowConnection(bool connected)
{
    if (panel)
        panel->SetNoConnectionVisible(!connected);
    if (connected) {
        ShowConnectionText(QStringLiteral("On Connection"));
        DataLogger1->menuAction()->setVisible(true);
        btnDataLogger->setVisible(true);
    } else {
        ShowConnectionText(QStringLiteral("No Connection"));
    }
}

void TfrmMain::ShowMeterStatus(const MeterStatus& status, int levelTenths)
{
    if (panel)
        panel->ShowStatus(status, levelTenths);
}

void TfrmMain::CreateRealTimeGraph()
{
    realTimeGraph = &::CreateRealTimeGraph(*mdiArea, graphServices, run, [this] {
        RealTimeGraph1->setChecked(false);
        realTimeTimer->stop();
        UpdateCommandStates();
    });
    connect(realTimeGraph, &TfrmGraph::Closed, this, [this] { realTimeGraph = nullptr; });
    RealTimeGraph1->setChecked(true);
}

// Beside the panel, filling the rest of the frame.
void TfrmMain::PlaceRealTimeGraph()
{
    QWidget* frame = realTimeGraph->parentWidget();
    const int panelWidth = panel ? panel->parentWidget()->width() : 0;
    frame->setGeometry(panelWidth, 0, width() - panelWidth - 5,
                       height() - panel1->height() - statusBar()->height() - 40);
    realTimeGraph->setFocus();
}

void TfrmMain::RealTimeGraph1Click()
{
    if (realTimeGraph) {
        realTimeGraph->parentWidget()->showNormal();
        RealTimeGraph1->setChecked(true);
    } else {
        CreateRealTimeGraph();
        UpdateCommandStates();
    }
}

void TfrmMain::btnRunClick()
{
    if (!monitor->Connected())
        return;
    if (realTimeGraph) {
        TfrmGraph& graph = *realTimeGraph;
        graph.parentWidget()->showNormal();
        if (run.Running || run.Count != 0) {
            const Prompts::Answer answer = CurrentPrompts().AskYesNoCancel(
                QStringLiteral("There are datas in Real_Time graph ,it have to reset the graph.\n"
                               "Do you want to save the Real-Time graph ?"));
            graph.setFocus();
            if (answer == Prompts::Answer::Cancel)
                return;
            if (answer == Prompts::Answer::Yes)
                SaveGraph(graph);
        }
    } else {
        CreateRealTimeGraph();
    }
    const std::optional<RunSetup> setup = AskRunSetup(*realTimeGraph, run);
    if (!setup || !realTimeGraph)
        return;
    StartRealTimeRun(*realTimeGraph, run, *setup, monitor->Status(), monitor->LiveLevel());
    UpdateCommandStates();
    realTimeTimer->start();
}

void TfrmMain::btnStopClick()
{
    realTimeTimer->stop();
    run.Running = false;
    if (realTimeGraph)
        FinishRealTimeRun(*realTimeGraph, run);
    UpdateCommandStates();
}

void TfrmMain::RealTime_TimerTimer()
{
    if (realTimeGraph && RealTimeTick(*realTimeGraph, run, monitor->LiveLevel()))
        btnStopClick();
}

void TfrmMain::MaxMinTimerTimer()
{
    blinkOn = !blinkOn;
    if (panel)
        panel->SetMaxMinWords(blinkOn);
}

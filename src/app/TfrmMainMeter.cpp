// The main window's work with the meter: the connection monitor, the MAX/MIN blinking
// and the real-time run's commands.
#include "TfrmMain.h"

#include "AppState.h"
#include "CommandTable.h"
#include "GraphFileCommands.h"
#include "MeterLink.h"
#include "MeterStatus.h"
#include "Prompts.h"
#include "RealTimeGraph.h"
#include "RealTimeRun.h"
#include "ShowMeterStatus.h"
#include "TfrmGraph.h"
#include "TfrmPanel.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

void TfrmMain::MainTimerTimer()
{
    App.PollBusy = true;
    if (!App.Connected) {
        if (ExchangeCommand(Cmd::Identify) && IsOurModel(App.Reply))
            ShowConnected();
    } else if (PollStatus()) {
        App.PollFailures = 0;
        // A reply without its markers is not a failure, but it is not shown either.
        if (HasStatusMarkers(App.Reply))
            ShowMeterStatus();
    } else if (++App.PollFailures >= 5) {
        ShowDisconnected();
    }
    App.PollBusy = false;
}

void TfrmMain::ShowConnected()
{
    ShowConnectionText(QStringLiteral("On Connection"));
    App.Connected = true;
    if (App.Panel)
        App.Panel->SetNoConnectionVisible(false);
    QMenu* dataLogger = findChild<QMenu*>(QStringLiteral("DataLogger1"));
    dataLogger->menuAction()->setVisible(true);
    dataLogger->menuAction()->setEnabled(true);
    QToolButton* download = ToolButton(QStringLiteral("btnDataLogger"));
    download->setVisible(true);
    download->setEnabled(true);
    ShowRunButtons(App.RealTimeRunning);
    SetRealTimeClearEnabled(!App.RealTimeRunning);
}

void TfrmMain::ShowDisconnected()
{
    for (const char* name : {"btnRun", "btnStop", "btnDataLogger"})
        ToolButton(QLatin1String(name))->setEnabled(false);
    for (const char* name : {"Run1", "Stop1"})
        findChild<QAction*>(QLatin1String(name))->setEnabled(false);
    findChild<QMenu*>(QStringLiteral("DataLogger1"))->menuAction()->setEnabled(false);
    if (App.Panel)
        App.Panel->SetNoConnectionVisible(true);
    App.Connected = false;
    App.PollFailures = 0;
    ShowConnectionText(QStringLiteral("No Connection"));
}

void TfrmMain::ShowRunButtons(bool running)
{
    ToolButton(QStringLiteral("btnRun"))->setEnabled(!running);
    findChild<QAction*>(QStringLiteral("Run1"))->setEnabled(!running);
    ToolButton(QStringLiteral("btnStop"))->setEnabled(running);
    findChild<QAction*>(QStringLiteral("Stop1"))->setEnabled(running);
}

void TfrmMain::SetRealTimeClearEnabled(bool enabled)
{
    if (App.RealTimeGraph)
        App.RealTimeGraph->tbntClr->setEnabled(enabled);
}

// Beside the panel, filling the rest of the frame.
void TfrmMain::PlaceRealTimeGraph()
{
    QWidget* frame = App.RealTimeGraph->parentWidget();
    const int panelWidth = App.Panel ? App.Panel->parentWidget()->width() : 0;
    frame->setGeometry(panelWidth, 0, width() - panelWidth - 5,
                       height() - panel1->height() - statusBar()->height() - 40);
    App.RealTimeGraph->setFocus();
}

void TfrmMain::RealTimeGraph1Click()
{
    if (App.RealTimeGraph) {
        App.RealTimeGraph->parentWidget()->showNormal();
        findChild<QAction*>(QStringLiteral("RealTimeGraph1"))->setChecked(true);
    } else {
        CreateRealTimeGraph(*mdiArea);
    }
}

void TfrmMain::btnRunClick()
{
    if (!App.Connected)
        return;
    if (App.RealTimeGraph) {
        TfrmGraph& graph = *App.RealTimeGraph;
        graph.parentWidget()->showNormal();
        if (App.RealTimeRunning || App.RealTimeCount != 0) {
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
        CreateRealTimeGraph(*mdiArea);
    }
    const std::optional<RunSetup> setup = AskRunSetup(*App.RealTimeGraph);
    if (!setup || !App.RealTimeGraph)
        return;
    ShowRunButtons(true);
    StartRealTimeRun(*App.RealTimeGraph, *setup);
    realTimeTimer->start();
}

void TfrmMain::btnStopClick()
{
    realTimeTimer->stop();
    App.RealTimeRunning = false;
    ShowRunButtons(false);
    if (App.RealTimeGraph)
        FinishRealTimeRun(*App.RealTimeGraph);
}

void TfrmMain::RealTime_TimerTimer()
{
    if (RealTimeTick())
        btnStopClick();
}

void TfrmMain::MaxMinTimerTimer()
{
    App.BlinkBusy = true;
    App.BlinkOn = !App.BlinkOn;
    if (App.Panel)
        App.Panel->SetMaxMinWords(App.BlinkOn);
    App.BlinkBusy = false;
}

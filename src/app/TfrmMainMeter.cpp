// The main window's work with the meter: the connection monitor, the MAX/MIN blinking
// and the real-time run's commands.
#include "app/TfrmMain.h"

#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/TfrmGraph.h"
#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterPresence.h"
#include "link/MeterStatus.h"
#include "panel/ui/ShowMeterStatus.h"
#include "panel/ui/TfrmPanel.h"
#include "realtime/ui/RealTimeGraph.h"
#include "realtime/ui/RealTimeRun.h"
#include "shell/AppState.h"
#include "shell/ui/AppWindows.h"
#include "shell/ui/Prompts.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

void TfrmMain::MainTimerTimer()
{
    LinkSession& link = Link();
    // A long sequence holds the link; its replies are not the monitor's to read.
    if (link.Busy())
        return;
    link.PollBusy = true;
    if (!App.Connected) {
        if (ExchangeCommand(link, Cmd::Identify) && IsOurModel(link.Reply))
            ShowConnected();
    } else {
        const bool read = PollStatus(link);
        const MeterPresence::Poll poll = MeterPresence::Classify(read, link.Reply);
        if (poll == MeterPresence::Poll::Answered) {
            App.PollFailures = 0;
            ShowMeterStatus();
        } else if (++App.PollFailures >= MeterPresence::FailedPollsToLose) {
            ShowDisconnected();
        }
    }
    link.PollBusy = false;
    UpdateCommandStates();
}

void TfrmMain::ShowConnected()
{
    ShowConnectionText(QStringLiteral("On Connection"));
    App.Connected = true;
    if (Windows.Panel)
        Windows.Panel->SetNoConnectionVisible(false);
    DataLogger1->menuAction()->setVisible(true);
    btnDataLogger->setVisible(true);
}

void TfrmMain::ShowDisconnected()
{
    if (Windows.Panel)
        Windows.Panel->SetNoConnectionVisible(true);
    App.Connected = false;
    App.PollFailures = 0;
    ShowConnectionText(QStringLiteral("No Connection"));
}

// Beside the panel, filling the rest of the frame.
void TfrmMain::PlaceRealTimeGraph()
{
    QWidget* frame = Windows.RealTimeGraph->parentWidget();
    const int panelWidth = Windows.Panel ? Windows.Panel->parentWidget()->width() : 0;
    frame->setGeometry(panelWidth, 0, width() - panelWidth - 5,
                       height() - panel1->height() - statusBar()->height() - 40);
    Windows.RealTimeGraph->setFocus();
}

void TfrmMain::RealTimeGraph1Click()
{
    if (Windows.RealTimeGraph) {
        Windows.RealTimeGraph->parentWidget()->showNormal();
        RealTimeGraph1->setChecked(true);
    } else {
        CreateRealTimeGraph(*mdiArea);
        UpdateCommandStates();
    }
}

void TfrmMain::btnRunClick()
{
    if (!App.Connected)
        return;
    if (Windows.RealTimeGraph) {
        TfrmGraph& graph = *Windows.RealTimeGraph;
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
    const std::optional<RunSetup> setup = AskRunSetup(*Windows.RealTimeGraph);
    if (!setup || !Windows.RealTimeGraph)
        return;
    StartRealTimeRun(*Windows.RealTimeGraph, *setup);
    UpdateCommandStates();
    realTimeTimer->start();
}

void TfrmMain::btnStopClick()
{
    realTimeTimer->stop();
    App.RealTimeRunning = false;
    if (Windows.RealTimeGraph)
        FinishRealTimeRun(*Windows.RealTimeGraph);
    UpdateCommandStates();
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
    if (Windows.Panel)
        Windows.Panel->SetMaxMinWords(App.BlinkOn);
    App.BlinkBusy = false;
}

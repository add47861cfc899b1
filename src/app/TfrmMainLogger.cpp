// The main window's data logger commands: Load Data and Erase Memory.
#include "app/TfrmMain.h"

#include "graph/ui/TfrmGraph.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/EraseLoggerMemory.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/EraseMemoryPrompts.h"
#include "logger/ui/LoadDataSets.h"
#include "shell/AppState.h"
#include "shell/Clock.h"
#include "shell/ui/AppWindows.h"
#include "shell/ui/Prompts.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>

void TfrmMain::LoadData1Click()
{
    // Reached only through disabled commands while another sequence holds the link.
    if (Link().Busy())
        return;
    if (!App.Connected) {
        CurrentPrompts().ShowMessage(QStringLiteral("There is no connection with meter !"));
        return;
    }
    if (App.MeterRecording) {
        CurrentPrompts().ShowMessage(
            QStringLiteral("The meter is recording data, please stop recording before loading data."));
        return;
    }
    const bool existed = Windows.DataLoggerGraph;
    TfrmGraph& window = OpenDataLoggerWindow(*mdiArea);
    if (!existed) {
        window.repaint();
        DelayMs(300);
    }

    {
        LinkHold hold(Link());
        MonitorPause pause(Link());
        UpdateCommandStates();
        const LoadResult result = LoadDataSets(window);
        if (result.cancelled) {
            statusPanels[0]->setText(QStringLiteral("Download cancelled"));
            Resynchronise(Link());
        } else if (result.code == DecodeResult::Decoded || result.code == DecodeResult::MarkerMisplaced
                   || result.code == DecodeResult::EndBeyondMemoryEnd) {
            App.DataLoggerUnsaved = true;
        } else if (result.code == DecodeResult::NoDataSets) {
            CurrentPrompts().ShowMessage(QStringLiteral("There was not any data recorded in momery of meter !"));
        } else {
            CurrentPrompts().ShowError(QStringLiteral("There was error,please try again!   error code=")
                                       + QString::number(result.code));
            Resynchronise(Link());
        }
    }
    UpdateCommandStates();
}

void TfrmMain::EraseMemory1Click()
{
    if (Link().Busy())
        return;
    if (App.MeterRecording) {
        CurrentPrompts().ShowMessage(
            QStringLiteral("The meter is recording data, please stop recording before erasing data."));
        return;
    }
    if (!ConfirmEraseMemory())
        return;
    int code = 0;
    {
        LinkHold hold(Link());
        MonitorPause pause(Link());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        code = EraseLoggerMemory(Link().Usb(), Link().Reply);
        QApplication::restoreOverrideCursor();
    }
    UpdateCommandStates();
    ShowEraseResult(code, QStringLiteral("Please power off and power on meter before recording data or loading again."));
}

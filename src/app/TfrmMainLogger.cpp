// The main window's data logger commands: Load Data and Erase Memory.
#include "app/TfrmMain.h"

#include "graph/ui/TfrmGraph.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterMonitor.h"
#include "logger/DecodeMemoryImage.h"
#include "logger/EraseLoggerMemory.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/EraseMemoryPrompts.h"
#include "logger/ui/LoadDataSets.h"
#include "shell/Clock.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/Prompts.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>

void TfrmMain::LoadData1Click()
{
    // Reached only through disabled commands while another sequence holds the link.
    std::optional<LinkSequence> link = Link().TryBegin();
    if (!link)
        return;
    // The download lets window messages run, with the DataLogger window and its progress window
    // on this stack: closing a window meanwhile waits until the command has ended.
    const LongTask task;
    if (!monitor->Connected()) {
        CurrentPrompts().ShowMessage(QStringLiteral("There is no connection with meter !"));
        return;
    }
    if (monitor->Recording()) {
        CurrentPrompts().ShowMessage(
            QStringLiteral("The meter is recording data, please stop recording before loading data."));
        return;
    }
    const bool existed = dataLoggerGraph;
    TfrmGraph& window = OpenDataLoggerGraph();
    // The shown set's survey is asked about before a download replaces the sets.
    if (!window.LeaveSurvey())
        return;
    if (!existed) {
        window.repaint();
        DelayMs(300);
    }

    const LoadResult result = LoadDataSets(window, dataLogger, *link, task);
    if (result.cancelled) {
        statusPanels[0]->setText(QStringLiteral("Download cancelled"));
        Resynchronise(*link);
    } else if (result.code == DecodeResult::Decoded) {
        dataLogger.MarkUnsaved();
    } else if (result.code == DecodeResult::NoDataSets) {
        CurrentPrompts().ShowMessage(QStringLiteral("There was not any data recorded in momery of meter !"));
    } else {
        CurrentPrompts().ShowError(QStringLiteral("There was error,please try again!   error code=")
                                   + QString::number(result.code));
        Resynchronise(*link);
    }
}

void TfrmMain::EraseMemory1Click()
{
    int code = 0;
    {
        std::optional<LinkSequence> link = Link().TryBegin();
        if (!link)
            return;
        if (monitor->Recording()) {
            CurrentPrompts().ShowMessage(
                QStringLiteral("The meter is recording data, please stop recording before erasing data."));
            return;
        }
        if (!ConfirmEraseMemory())
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        code = EraseLoggerMemory(*link);
        QApplication::restoreOverrideCursor();
    }
    ShowEraseResult(code, QStringLiteral("Please power off and power on meter before recording data or loading again."));
}

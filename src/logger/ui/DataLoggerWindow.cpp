#include "logger/ui/DataLoggerWindow.h"

#include "graph/SliderMath.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmDateTime.h"
#include "graph/ui/TfrmGraph.h"
#include "logger/ChangeDataSetTime.h"
#include "logger/DataLoggerSession.h"
#include "logger/DataSetListCells.h"
#include "logger/ui/DataLoggerRole.h"
#include "recording/RecordingsOfTable.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>

namespace {

// A click or the pop-up entry on a row with a date acts on that row's set.
bool RowHoldsASet(const TfrmGraph& window, int row)
{
    return row >= 1 && row < window.Grid2->RowCount() && !window.Grid2->Cell(1, row).isEmpty();
}

// Called whenever the list's texts change: the columns start at their set widths and grow to
// texts the user's fonts make wider, and the panel opens wide enough to show every column.
void FitColumns(TfrmGraph& window)
{
    StringGrid& grid = *window.Grid2;
    int wanted = grid.frameWidth() * 2 + grid.verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < DataSetListColumns; ++column) {
        grid.WidenToContents(column);
        wanted += grid.columnWidth(column);
    }
    QList<int> sizes = window.Splitter2->sizes();
    const int panel = window.pnlDataSets->width() - grid.width() + wanted;
    if (sizes.size() == 2 && sizes[0] < panel) {
        sizes[1] -= panel - sizes[0];
        sizes[0] = panel;
        window.Splitter2->setSizes(sizes);
    }
}

void FillList(TfrmGraph& window, const DataSetTable& table)
{
    // The rows changing under the current one would each show a set: the caller shows one.
    const QSignalBlocker quiet(&window);
    StringGrid& grid = *window.Grid2;
    const int sets = static_cast<int>(table.sets.size());
    grid.SetRowCount(sets + 1);
    for (int i = 0; i < sets; ++i) {
        const auto cells = DataSetListCells(table.sets[static_cast<std::size_t>(i)], i);
        for (int column = 0; column < DataSetListColumns; ++column)
            grid.SetCell(column, i + 1, cells[static_cast<std::size_t>(column)]);
    }
    FitColumns(window);
    if (sets > 0)
        grid.selectRow(0);
}

}  // namespace

TfrmGraph& OpenDataLoggerWindow(QMdiArea& area, QPointer<TfrmGraph>& open, DataLoggerSession& session,
                                const GraphServices& services)
{
    if (TfrmGraph* window = open) {
        window->parentWidget()->showNormal();
        return *window;
    }
    auto* window = new TfrmGraph(services);
    window->setWindowTitle(DataLoggerCaption);
    window->SetRole(std::make_unique<DataLoggerRole>(session));
    open = window;
    QObject::connect(window, &TfrmGraph::Closed, window, [&open] { open = nullptr; });
    const QRect space = area.viewport()->rect();
    window->ShowInArea(&area, QRect(0, 0, space.width(), std::max(200, space.height() - 60)));
    const double now = CurrentClock().Now();
    PrepareChart(*window->PESGraph1, 1, 130.0f, 30.0f, now + 500 * OneSecond, now, 500);
    QObject::connect(window, &TfrmGraph::Grid2Clicked, window, [window, &session](int row) {
        if (!RowHoldsASet(*window, row))
            return;
        // A survey belongs to its set: another set is shown only once the survey of the one
        // shown is saved or given up.
        const int shown = window->ShownRecording().set - 1;
        if (row - 1 != shown && !window->LeaveSurvey()) {
            const QSignalBlocker quiet(window);
            window->Grid2->selectRow(shown);
            return;
        }
        ShowDataSet(*window, session.Table(), row - 1, session.File());
    });
    QObject::connect(window, &TfrmGraph::ChangeDateTimeRequested, window, [window, &session](int row) {
        if (RowHoldsASet(*window, row))
            ChangeDataSetTime(*window, session, row - 1);
    });
    return *window;
}

void ShowDataSets(TfrmGraph& window, const DataSetTable& table, const QString& file)
{
    // Other data: no set's survey stays (asking about it is the caller's, before the data came).
    window.ResetSurvey();
    FillList(window, table);
    if (!table.sets.empty())
        ShowDataSet(window, table, 0, file);
}

void ShowDataSet(TfrmGraph& window, const DataSetTable& table, int set, const QString& file)
{
    if (set < 0 || set >= static_cast<int>(table.sets.size()))
        return;
    const DataSet& data = table.sets[static_cast<std::size_t>(set)];
    const int n = data.sampleCount;
    PESGraph& chart = *window.PESGraph1;
    ResetChart(chart, 1, 130.0f, 30.0f, SampleTime(data, n), data.startTime, n);
    window.ShowRecording(RecordingOfSet(table, set, file));
    // The caption names the set whose survey the window holds.
    window.setWindowTitle(RecordingTitle(DataLoggerCaption, window.ShownRecording()));

    window.txtStartTime->setText(DateTimeText(data.startTime));
    {
        // Written by the program: not the user's choice of a real-time rate.
        const QSignalBlocker quiet(window.txtSamplingRate);
        window.txtSamplingRate->setEditText(QString::number(data.interval));
    }
    window.txtDataNo->setText(QString::number(n));
    // A set without samples has no extremes to point at.
    const bool hasSamples = n > 0;
    window.txtMax->setText(hasSamples ? OneDecimalText(chart.YData(0, data.maxIndex)) : QString());
    window.txtMaxTime->setText(hasSamples ? DateTimeText(chart.XDataII(0, data.maxIndex)) : QString());
    window.txtMin->setText(hasSamples ? OneDecimalText(chart.YData(0, data.minIndex)) : QString());
    window.txtMinTime->setText(hasSamples ? DateTimeText(chart.XDataII(0, data.minIndex)) : QString());
    window.txtAvgAll->setText(OneDecimalText(data.average));

    window.SetSlider(0, std::max(0, n - 1), n / 3, 2 * n / 3);
    window.RedrawChart();
}

void ChangeDataSetTime(TfrmGraph& window, DataLoggerSession& session, int set)
{
    if (set < 0 || set >= static_cast<int>(session.Table().sets.size()))
        return;
    TfrmDateTime dialog(&window);
    dialog.SetDateTime(CurrentClock().Now());
    if (CurrentPrompts().RunModal(dialog) != QDialog::Accepted)
        return;
    const double start = dialog.DateTime();
    session.ChangeSetTime(set, start);
    window.Grid2->SetCell(1, set + 1, DataSetDateText(start));
    window.Grid2->SetCell(2, set + 1, DataSetTimeText(start));
    FitColumns(window);
    ShowDataSet(window, session.Table(), set, session.File());
}

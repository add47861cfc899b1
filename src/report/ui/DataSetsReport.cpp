#include "report/ui/DataSetsReport.h"

#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "logger/ui/DataLoggerWindow.h"
#include "report/ui/WriteReportPdf.h"
#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QFileInfo>
#include <QToolButton>

bool WriteDataSetsReport(const DataSetTable& table, const QString& source, QIODevice& out)
{
    TfrmGraph window;
    window.setWindowTitle(QFileInfo(source).fileName());
    // The chart's look is the DataLogger window's: the user's template, else the default.
    const double now = CurrentClock().Now();
    PrepareChart(*window.PESGraph1, 1, 130.0f, 30.0f, now + 500 * OneSecond, now, 500);
    // Cursors a script did not place say nothing: the pages leave them out.
    window.ToolButton2->setChecked(false);
    window.ToolButton2Click();
    return WriteReportPdf(out, static_cast<int>(table.sets.size()), [&](int set) -> TfrmGraph& {
        ShowDataSet(window, table, set);
        return window;
    });
}

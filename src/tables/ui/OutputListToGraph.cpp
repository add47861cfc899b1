#include "tables/ui/OutputListToGraph.h"

#include "files/ui/TfrmScope.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"
#include "tables/ListGraphPoints.h"
#include "tables/ui/TfrmList.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace {

// Tells which rows were left out: their number and the first one's line in the file.
QString SkippedRowsMessage(const ListGraphPoints& points, int firstLine)
{
    const int line = points.firstSkippedRow - 1 + firstLine;
    return QStringLiteral("Rows that could not be read, left out of the graph: %1. The first is line %2: %3")
        .arg(points.skipped)
        .arg(line)
        .arg(points.firstSkippedReason);
}

}  // namespace

TfrmGraph* OutputListToGraph(const TfrmList& list, const GraphServices& services)
{
    // Copies: window messages run while the points are made, and the list may change or close.
    const std::vector<QStringList> rows = list.Grid1->Rows();
    const QString caption = list.Caption();
    const int firstLine = list.firstLine;
    if (rows.size() < 2 || rows[1].value(1).isEmpty()) {
        CurrentPrompts().ShowMessage(QStringLiteral("No data to graph !"));
        return nullptr;
    }
    const int count = static_cast<int>(rows.size()) - 1;
    TfrmScope progress;
    progress.setWindowModality(Qt::ApplicationModal);
    progress.ShowProgress(QStringLiteral("Graphing Progress"), QStringLiteral("graphing....."), count,
                          false);
    QCoreApplication::processEvents();
    ListGraphPoints points = ReadListGraphPoints(rows);
    progress.SetPosition(count);
    progress.close();
    if (points.times.empty()) {
        CurrentPrompts().ShowError(
            QStringLiteral("No row of %1 can be graphed. Line %2: %3")
                .arg(caption)
                .arg(points.firstSkippedRow - 1 + firstLine)
                .arg(points.firstSkippedReason));
        return nullptr;
    }

    auto* window = new TfrmGraph(services);
    window->setWindowTitle(caption);
    const auto [earliest, latest] = std::minmax_element(points.times.begin(), points.times.end());
    const int used = static_cast<int>(points.times.size());
    PESGraph& chart = *window->PESGraph1;
    PrepareChart(chart, 1, 130.0f, 30.0f, *latest, *earliest, used);
    Recording recording;
    recording.start = points.times.front();
    recording.times = std::move(points.times);
    recording.levels = std::move(points.levels);
    window->ShowRecording(std::move(recording));
    window->RefreshStatistics();
    chart.ReinitAndReset();
    window->RedrawChart();
    if (points.skipped > 0)
        CurrentPrompts().ShowMessage(SkippedRowsMessage(points, firstLine));
    return window;
}

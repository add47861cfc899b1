#include "tables/ui/OutputListToGraph.h"

#include "files/ui/TfrmScope.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/DateTimeReader.h"
#include "shell/Formats.h"
#include "shell/ProgressPace.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/StringGrid.h"
#include "tables/ui/TfrmList.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

QString DateTimeOfRow(const QStringList& row)
{
    return row.value(1) + u' ' + row.value(2);
}

std::optional<double> ReadRowTime(DateTimeReader& reader, const QStringList& row)
{
    return reader.Read(row.value(1), row.value(2));
}

// A level as the chart holds it; a number beyond a float's range is no level.
std::optional<float> ReadRowLevel(const QStringList& row, int column)
{
    bool ok = false;
    const double level = ReadNumber(row.value(column), &ok);
    if (!ok || std::fabs(level) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(level);
}

}  // namespace

TfrmGraph* OutputListToGraph(const TfrmList& list, const GraphServices& services)
{
    // A copy: window messages run while the points are made, and the list may change or close.
    const std::vector<QStringList> rows = list.Grid1->Rows();
    if (rows.size() < 2 || rows[1].value(1).isEmpty()) {
        CurrentPrompts().ShowMessage(QStringLiteral("No data to graph !"));
        return nullptr;
    }
    const int count = static_cast<int>(rows.size()) - 1;
    auto* window = new TfrmGraph(services);
    window->setWindowTitle(list.Caption());

    DateTimeReader reader;
    const std::optional<double> first = ReadRowTime(reader, rows[1]);
    const std::optional<double> last = ReadRowTime(reader, rows.back());
    if (!first || !last) {
        CurrentPrompts().ShowError(NotADateTimeMessage(DateTimeOfRow(first ? rows.back() : rows[1])));
        return window;
    }
    PESGraph& chart = *window->PESGraph1;
    PrepareChart(chart, 1, 130.0f, 30.0f, *last, *first, count);

    TfrmScope progress;
    progress.setWindowModality(Qt::ApplicationModal);
    progress.ShowProgress(QStringLiteral("Graphing Progress"), QStringLiteral("graphing....."), count,
                          false);
    const int levelColumn = rows[0].value(4) == QStringLiteral("LEQ") ? 4 : 3;
    std::vector<double> times(static_cast<std::size_t>(count), 0.0);
    std::vector<float> levels(static_cast<std::size_t>(count), static_cast<float>(NullValue));
    ProgressPace pace;
    for (int r = 1; r <= count; ++r) {
        if (pace.Due(r)) {
            progress.SetPosition(r);
            QCoreApplication::processEvents();
        }
        const QStringList& row = rows[static_cast<std::size_t>(r)];
        const std::optional<double> time = ReadRowTime(reader, row);
        if (!time)
            continue;
        times[static_cast<std::size_t>(r - 1)] = *time;
        if (const std::optional<float> level = ReadRowLevel(row, levelColumn))
            levels[static_cast<std::size_t>(r - 1)] = *level;
    }
    progress.SetPosition(count);
    chart.SetSubsetData(0, times.data(), levels.data(), count);
    progress.close();

    window->RefreshStatistics();
    chart.ReinitAndReset();
    window->RedrawChart();
    return window;
}

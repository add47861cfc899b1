#include "leq/ui/TfrmNoiseMetrics.h"

#include "graph/ui/GraphCompanion.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/NoiseMetricsTable.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"
#include "survey/SurveyMetrics.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

TfrmNoiseMetrics::TfrmNoiseMetrics(TfrmGraph& graph, QWidget* parent) : QWidget(parent), source(&graph)
{
    setWindowTitle(QStringLiteral("Noise Metrics"));
    auto* layout = new QVBoxLayout(this);
    lblGraph = new QLabel(this);
    lblGraph->setObjectName(QStringLiteral("lblGraph"));
    lblGraph->setStyleSheet(QStringLiteral("font-weight: bold;"));
    lblInterval = new QLabel(this);
    lblInterval->setObjectName(QStringLiteral("lblInterval"));
    lblInterval->setWordWrap(true);
    lblCursors = new QLabel(this);
    lblCursors->setObjectName(QStringLiteral("lblCursors"));
    lblCursors->setWordWrap(true);
    lblOffset = new QLabel(this);
    lblOffset->setObjectName(QStringLiteral("lblOffset"));
    lblOffset->setWordWrap(true);
    lblOffset->hide();
    lblExposure = new QLabel(this);
    lblExposure->setObjectName(QStringLiteral("lblExposure"));
    lblExposure->setWordWrap(true);
    lblExposure->hide();

    const std::vector<NoiseMetricsRow> rows = NoiseMetricsRows({});
    MetricsGrid = new StringGrid(5, static_cast<int>(rows.size()) + 1, this);
    MetricsGrid->setObjectName(QStringLiteral("MetricsGrid"));
    MetricsGrid->SetCell(0, 0, QStringLiteral("Measure"));
    MetricsGrid->SetCell(1, 0, WholeGraphHeading);
    MetricsGrid->SetCell(2, 0, BetweenCursorsHeading);
    MetricsGrid->SetCell(3, 0, WholeKeptHeading);
    MetricsGrid->SetCell(4, 0, BetweenKeptHeading);
    for (std::size_t i = 0; i < rows.size(); ++i)
        MetricsGrid->SetCell(0, static_cast<int>(i) + 1, rows[i].name);
    MetricsGrid->SetColWidth(0, 190);
    MetricsGrid->SetColWidth(1, 110);
    MetricsGrid->SetColWidth(2, 120);
    MetricsGrid->SetColWidth(3, 170);
    MetricsGrid->SetColWidth(4, 170);
    MetricsGrid->verticalHeader()->hide();
    MetricsGrid->setSelectionMode(QAbstractItemView::NoSelection);

    btnCopy = new QPushButton(QStringLiteral("Copy"), this);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnCopy->setToolTip(QStringLiteral("Every column to the clipboard, for a spreadsheet"));
    connect(btnCopy, &QPushButton::clicked, this, &TfrmNoiseMetrics::btnCopyClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCopy);

    layout->addWidget(lblGraph);
    layout->addWidget(lblOffset);
    layout->addWidget(lblInterval);
    layout->addWidget(lblCursors);
    layout->addWidget(MetricsGrid, 1);
    layout->addWidget(lblExposure);
    layout->addLayout(buttons);

    connect(&graph, &TfrmGraph::CursorsMoved, this, &TfrmNoiseMetrics::Recompute);
    connect(&graph, &QWidget::windowTitleChanged, this, &TfrmNoiseMetrics::Recompute);
    connect(&graph, &TfrmGraph::SurveyChanged, this, &TfrmNoiseMetrics::Recompute);
    Recompute();
}

TfrmGraph* TfrmNoiseMetrics::Source() const
{
    return source;
}

void TfrmNoiseMetrics::Recompute()
{
    if (!source)
        return;
    const TfrmGraph& graph = *source;
    const Recording& recording = graph.ShownRecording();
    const auto [cursorA, cursorB] = graph.CursorPoints();
    const GraphMetrics metrics = SurveyMetrics(recording, graph.GraphSurvey(), cursorA, cursorB);
    lblGraph->setText(RecordingTitle(graph.Caption(), recording));
    const QString offset = OffsetNote(graph.GraphSurvey());
    lblOffset->setText(offset);
    lblOffset->setVisible(!offset.isEmpty());
    setWindowTitle(QStringLiteral("Noise Metrics \u2013 ") + graph.Caption());
    const QString interval = SampleIntervalText(metrics.interval);
    lblInterval->setText(interval);
    const std::span<const double> times = recording.Times();
    const auto timeAt = [&times](int point) {
        return DateTimeText(times[static_cast<std::size_t>(std::clamp(point, 0, static_cast<int>(times.size()) - 1))]);
    };
    lblCursors->setText(times.empty() ? QStringLiteral("The graph holds no points.")
                                      : QStringLiteral("Cursor A at %1, cursor B at %2").arg(timeAt(cursorA), timeAt(cursorB)));
    const std::vector<NoiseMetricsRow> whole = NoiseMetricsRows(metrics.whole);
    const std::vector<NoiseMetricsRow> between = NoiseMetricsRows(metrics.between);
    for (std::size_t i = 0; i < whole.size(); ++i) {
        MetricsGrid->SetCell(0, static_cast<int>(i) + 1, whole[i].name);
        MetricsGrid->SetCell(1, static_cast<int>(i) + 1, ShownFigure(whole[i].value));
        MetricsGrid->SetCell(2, static_cast<int>(i) + 1, ShownFigure(between[i].value));
    }
    const QString exposure = ExposureNote(metrics.whole);
    lblExposure->setText(exposure);
    lblExposure->setVisible(!exposure.isEmpty());
    std::vector<NoiseMetricsColumn> columns{{WholeGraphHeading, metrics.whole}, {BetweenCursorsHeading, metrics.between}};
    // The figures without the exclusions stand beside the measured ones, not in their place.
    const bool excluded = metrics.wholeKept && metrics.betweenKept;
    MetricsGrid->setColumnHidden(3, !excluded);
    MetricsGrid->setColumnHidden(4, !excluded);
    if (excluded) {
        const std::vector<NoiseMetricsRow> wholeKept = NoiseMetricsRows(*metrics.wholeKept);
        const std::vector<NoiseMetricsRow> betweenKept = NoiseMetricsRows(*metrics.betweenKept);
        for (std::size_t i = 0; i < wholeKept.size(); ++i) {
            MetricsGrid->SetCell(3, static_cast<int>(i) + 1, ShownFigure(wholeKept[i].value));
            MetricsGrid->SetCell(4, static_cast<int>(i) + 1, ShownFigure(betweenKept[i].value));
        }
        columns.push_back({WholeKeptHeading, *metrics.wholeKept});
        columns.push_back({BetweenKeptHeading, *metrics.betweenKept});
    }
    copyText = NoiseMetricsCopyText(columns, interval);
}

void TfrmNoiseMetrics::btnCopyClick()
{
    QApplication::clipboard()->setText(copyText);
}

TfrmNoiseMetrics& ShowNoiseMetrics(TfrmGraph& source)
{
    QWidget* found = FindGraphCompanion(source, [&source](QWidget* window) {
        auto* metrics = qobject_cast<TfrmNoiseMetrics*>(window);
        return metrics && metrics->Source() == &source;
    });
    if (auto* shown = qobject_cast<TfrmNoiseMetrics*>(found)) {
        shown->Recompute();
        RaiseGraphCompanion(source, *shown);
        return *shown;
    }
    auto* metrics = new TfrmNoiseMetrics(source);
    // Room for the columns without the exclusions when there are any.
    ShowGraphCompanion(source, *metrics, QSize(source.GraphSurvey().exclusions.empty() ? 480 : 820, 560));
    return *metrics;
}

#include "leq/ui/TfrmNoiseMetrics.h"

#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"
#include "leq/NoiseMetricsTable.h"
#include "leq/ui/GraphWindowMetrics.h"
#include "shell/Formats.h"
#include "shell/ui/PlaceInArea.h"
#include "shell/ui/StringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TfrmNoiseMetrics* FindNoiseMetrics(const TfrmGraph& source, QMdiArea* area)
{
    QWidgetList windows;
    if (area) {
        for (QMdiSubWindow* frame : area->subWindowList())
            windows << frame->widget();
    } else {
        windows = QApplication::topLevelWidgets();
    }
    for (QWidget* window : windows)
        if (auto* metrics = qobject_cast<TfrmNoiseMetrics*>(window); metrics && metrics->Source() == &source)
            return metrics;
    return nullptr;
}

}  // namespace

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
    lblExposure = new QLabel(this);
    lblExposure->setObjectName(QStringLiteral("lblExposure"));
    lblExposure->setWordWrap(true);
    lblExposure->hide();

    const std::vector<NoiseMetricsRow> rows = NoiseMetricsRows({});
    MetricsGrid = new StringGrid(3, static_cast<int>(rows.size()) + 1, this);
    MetricsGrid->setObjectName(QStringLiteral("MetricsGrid"));
    MetricsGrid->SetCell(0, 0, QStringLiteral("Measure"));
    MetricsGrid->SetCell(1, 0, WholeGraphHeading);
    MetricsGrid->SetCell(2, 0, BetweenCursorsHeading);
    for (std::size_t i = 0; i < rows.size(); ++i)
        MetricsGrid->SetCell(0, static_cast<int>(i) + 1, rows[i].name);
    MetricsGrid->SetColWidth(0, 190);
    MetricsGrid->SetColWidth(1, 110);
    MetricsGrid->SetColWidth(2, 120);
    MetricsGrid->verticalHeader()->hide();
    MetricsGrid->setSelectionMode(QAbstractItemView::NoSelection);

    btnCopy = new QPushButton(QStringLiteral("Copy"), this);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnCopy->setToolTip(QStringLiteral("Both columns to the clipboard, for a spreadsheet"));
    connect(btnCopy, &QPushButton::clicked, this, &TfrmNoiseMetrics::btnCopyClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCopy);

    layout->addWidget(lblGraph);
    layout->addWidget(lblInterval);
    layout->addWidget(lblCursors);
    layout->addWidget(MetricsGrid, 1);
    layout->addWidget(lblExposure);
    layout->addLayout(buttons);

    connect(&graph, &TfrmGraph::CursorsMoved, this, &TfrmNoiseMetrics::Recompute);
    connect(&graph, &QWidget::windowTitleChanged, this, &TfrmNoiseMetrics::Recompute);
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
    const GraphMetrics metrics = ComputeGraphMetrics(graph);
    lblGraph->setText(GraphTitle(graph));
    setWindowTitle(QStringLiteral("Noise Metrics \u2013 ") + graph.Caption());
    const QString interval = SampleIntervalText(metrics.interval);
    lblInterval->setText(interval);
    const PESGraph& chart = *graph.PESGraph1;
    lblCursors->setText(metrics.whole.validSamples + metrics.whole.emptyPoints + metrics.whole.replacedSamples == 0
                            ? QStringLiteral("The graph holds no points.")
                            : QStringLiteral("Cursor A at %1, cursor B at %2")
                                  .arg(DateTimeText(chart.XDataII(0, graph.Slider1->Value1())),
                                       DateTimeText(chart.XDataII(0, graph.Slider1->Value2()))));
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
    copyText = NoiseMetricsCopyText(metrics.whole, metrics.between, interval);
}

void TfrmNoiseMetrics::btnCopyClick()
{
    QApplication::clipboard()->setText(copyText);
}

TfrmNoiseMetrics& ShowNoiseMetrics(TfrmGraph& source)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(source.parentWidget());
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    if (TfrmNoiseMetrics* shown = FindNoiseMetrics(source, area)) {
        shown->Recompute();
        if (QMdiSubWindow* own = area ? qobject_cast<QMdiSubWindow*>(shown->parentWidget()) : nullptr) {
            own->showNormal();
            area->setActiveSubWindow(own);
        } else {
            shown->showNormal();
            shown->raise();
        }
        return *shown;
    }
    auto* metrics = new TfrmNoiseMetrics(source);
    QWidget* closing = metrics;
    if (area) {
        QMdiSubWindow* own = area->addSubWindow(metrics);
        own->setAttribute(Qt::WA_DeleteOnClose);
        own->showNormal();
        PlaceInArea(*own, *area, QSize(480, 560));
        closing = own;
    } else {
        metrics->setAttribute(Qt::WA_DeleteOnClose);
        metrics->resize(480, 560);
        metrics->show();
    }
    QObject::connect(&source, &QObject::destroyed, closing, &QWidget::close);
    return *metrics;
}

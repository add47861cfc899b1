#include "PESGraph.h"

#include "ChartPens.h"
#include "ChartStateBlock.h"
#include "DayTicker.h"
#include "Prompts.h"
#include "SharedPrinter.h"
#include "TfrmCustomize.h"

#include <QPrinter>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int ClickSlack = 3;
constexpr double OneMinuteDays = 60.0 / 86400.0;  // pixels a click may move before it counts as a drag

bool IsEmptyPoint(double x, float y, double null)
{
    return x == 0.0 && static_cast<double>(y) == null;
}

// Lowest and highest of the values that are drawn; false when none is.
template <typename T>
bool ValueRange(const T* values, const float* levels, std::size_t count, double null, bool keys,
                double& lower, double& upper)
{
    lower = std::numeric_limits<double>::infinity();
    upper = -lower;
    for (std::size_t i = 0; i < count; ++i) {
        if (static_cast<double>(levels[i]) == null || (keys && values[i] == 0.0))
            continue;
        lower = std::min(lower, static_cast<double>(values[i]));
        upper = std::max(upper, static_cast<double>(values[i]));
    }
    return lower <= upper;
}

void SetRange(QCPAxis* axis, double lower, double upper, double pad)
{
    if (upper <= lower) {
        lower -= pad;
        upper += pad;
    }
    axis->setRange(lower, upper);
}

QString LineLabel(const QString& text)
{
    // A leading "|t" asks for the label at the top of the line, which is where it goes.
    return text.startsWith(QStringLiteral("|t")) ? text.mid(2) : text;
}

}  // namespace

PESGraph::PESGraph(QWidget* parent) : QWidget(parent), plot(new QCustomPlot(this))
{
    plot->setObjectName(QStringLiteral("Plot"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot);

    // Thin unsmoothed lines draw 100,000 points several times faster.
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->setAntialiasedElements(QCP::aeNone);
    plot->setPlottingHints(QCP::phCacheLabels | QCP::phFastPolylines);
    plot->setBackground(Qt::white);

    plot->addLayer(QStringLiteral("lines"), plot->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    lineLayer = plot->layer(QStringLiteral("lines"));
    lineLayer->setMode(QCPLayer::lmBuffered);

    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    mainTitle = new QCPTextElement(plot, QString(), titleFont);
    subTitle = new QCPTextElement(plot, QString(), font());
    plot->plotLayout()->setRowSpacing(0);

    for (int i = 0; i < 2; ++i) {
        const QColor color = i == 0 ? QColor(0, 0, 230) : QColor(220, 0, 0);
        vertLines[i] = new QCPItemStraightLine(plot);
        vertLines[i]->setLayer(lineLayer);
        vertLines[i]->setPen(QPen(color, 1));
        vertLines[i]->point1->setTypeY(QCPItemPosition::ptAxisRectRatio);
        vertLines[i]->point2->setTypeY(QCPItemPosition::ptAxisRectRatio);
        vertLabels[i] = new QCPItemText(plot);
        vertLabels[i]->setLayer(lineLayer);
        vertLabels[i]->setColor(color);
        vertLabels[i]->setPadding(QMargins(3, 2, 3, 2));
        vertLabels[i]->setBrush(QBrush(QColor(255, 255, 255, 220)));
        vertLabels[i]->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        vertLabels[i]->setTextAlignment(Qt::AlignLeft);
    }

    plot->setSelectionRectMode(QCP::srmCustom);
    connect(plot->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) { ZoomTo(rect); });
    connect(plot, &QCustomPlot::mousePress, this, &PESGraph::MousePressed);
    connect(plot, &QCustomPlot::mouseMove, this, &PESGraph::MouseMoved);
    connect(plot, &QCustomPlot::mouseRelease, this, &PESGraph::MouseReleased);

    SetSize(1, 0);
}

ChartState& PESGraph::State()
{
    MarkAll();
    return state;
}

void PESGraph::SetManualX(double minimum, double maximum)
{
    state.ManualMinX = minimum;
    state.ManualMaxX = maximum;
    rangesDirty = true;
}

void PESGraph::MarkAll()
{
    lookDirty = rangesDirty = annotationsDirty = linesDirty = true;
    std::fill(fullSync.begin(), fullSync.end(), true);
}

void PESGraph::SetSize(int subsets, int points)
{
    SetChartSize(state, subsets, points);
    MarkAll();
}

double PESGraph::XDataII(int subset, int point) const
{
    if (subset < 0 || subset >= state.Subsets || point < 0 || point >= state.Points)
        return 0.0;
    return state.XDataII[static_cast<std::size_t>(subset) * state.Points + point];
}

float PESGraph::YData(int subset, int point) const
{
    if (subset < 0 || subset >= state.Subsets || point < 0 || point >= state.Points)
        return static_cast<float>(state.NullDataValueY);
    return state.YData[static_cast<std::size_t>(subset) * state.Points + point];
}

const double* PESGraph::XSubset(int subset) const
{
    return state.XDataII.data() + static_cast<std::size_t>(std::clamp(subset, 0, state.Subsets - 1)) * state.Points;
}

const float* PESGraph::YSubset(int subset) const
{
    return state.YData.data() + static_cast<std::size_t>(std::clamp(subset, 0, state.Subsets - 1)) * state.Points;
}

void PESGraph::SetPoint(int subset, int point, double x, float y)
{
    if (subset < 0 || subset >= state.Subsets || point < 0 || point >= state.Points)
        return;
    const std::size_t at = static_cast<std::size_t>(subset) * state.Points + point;
    state.XDataII[at] = x;
    state.YData[at] = y;
    const auto s = static_cast<std::size_t>(subset);
    if (s < syncedUpTo.size() && point < syncedUpTo[s])
        fullSync[s] = true;
    rangesDirty = true;
}

void PESGraph::AppendPoint(int subset, double x, float y)
{
    if (subset < 0 || subset >= state.Subsets || state.Points >= MaxPoints)
        return;
    const auto null = static_cast<float>(state.NullDataValueY);
    if (state.Subsets == 1) {
        state.XDataII.push_back(0.0);
        state.YData.push_back(null);
    } else {
        // Subset-major storage: every subset grows by one point at its own end.
        for (int s = state.Subsets; s >= 1; --s) {
            const auto end = static_cast<std::ptrdiff_t>(s) * state.Points;
            state.XDataII.insert(state.XDataII.begin() + end, 0.0);
            state.YData.insert(state.YData.begin() + end, null);
        }
    }
    ++state.Points;
    SetPoint(subset, state.Points - 1, x, y);
}

void PESGraph::SetSubsetData(int subset, const double* x, const float* y, int count)
{
    if (subset < 0 || subset >= state.Subsets || count <= 0)
        return;
    count = std::min(count, state.Points);
    const std::size_t at = static_cast<std::size_t>(subset) * state.Points;
    std::copy(x, x + count, state.XDataII.begin() + static_cast<std::ptrdiff_t>(at));
    std::copy(y, y + count, state.YData.begin() + static_cast<std::ptrdiff_t>(at));
    if (static_cast<std::size_t>(subset) < fullSync.size())
        fullSync[static_cast<std::size_t>(subset)] = true;
    rangesDirty = true;
}

void PESGraph::SetGraphAnnotation(int index, const GraphAnnotation& annotation)
{
    if (!EnsureAnnotation(state, index))
        return;
    state.GraphAnnotations[static_cast<std::size_t>(index)] = annotation;
    annotationsDirty = true;
}

GraphAnnotation PESGraph::GraphAnnotationAt(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= state.GraphAnnotations.size())
        return {};
    return state.GraphAnnotations[static_cast<std::size_t>(index)];
}

void PESGraph::SetVertLineAnnotation(int line, double x, const QString& text)
{
    if (line < 0 || line > 1)
        return;
    state.VertLineAnnotation[static_cast<std::size_t>(line)] = x;
    state.VertLineAnnotationText[static_cast<std::size_t>(line)] = text;
    linesDirty = true;
}

void PESGraph::SetShowVertLineAnnotations(bool show)
{
    state.ShowVertLineAnnotations = show;
    linesDirty = true;
}

void PESGraph::Refresh()
{
    SyncData();
    const bool full = lookDirty || rangesDirty || annotationsDirty;
    if (lookDirty)
        ApplyLook();
    if (rangesDirty)
        ApplyRanges();
    if (annotationsDirty)
        BuildAnnotations();
    if (linesDirty || full)
        PlaceVertLines();
    if (full)
        plot->replot();
    else if (linesDirty)
        lineLayer->replot();
    lookDirty = rangesDirty = annotationsDirty = linesDirty = false;
}

void PESGraph::ReinitAndReset()
{
    MarkAll();
    Refresh();
}

void PESGraph::SyncData()
{
    const auto subsets = static_cast<std::size_t>(state.Subsets);
    while (graphs.size() < subsets) {
        graphs.push_back(plot->addGraph());
        graphs.back()->setAdaptiveSampling(true);
        syncedUpTo.push_back(0);
        fullSync.push_back(true);
        lookDirty = true;
    }
    while (graphs.size() > subsets) {
        plot->removeGraph(graphs.back());
        graphs.pop_back();
        syncedUpTo.pop_back();
        fullSync.pop_back();
    }
    for (int s = 0; s < state.Subsets; ++s)
        SyncSubset(s);
}

void PESGraph::SyncSubset(int subset)
{
    const auto s = static_cast<std::size_t>(subset);
    const double* x = XSubset(subset);
    const float* y = YSubset(subset);
    const double null = state.NullDataValueY;
    // Trailing empty points (a real-time chart not yet filled) are not handed over, so that
    // filling them appends instead of rebuilding.
    int end = state.Points;
    while (end > 0 && IsEmptyPoint(x[end - 1], y[end - 1], null))
        --end;
    if (!fullSync[s] && end <= syncedUpTo[s]) {
        if (end < syncedUpTo[s])
            fullSync[s] = true;
        else
            return;
    }
    QCPGraph* graph = graphs[s];
    const int from = fullSync[s] ? 0 : syncedUpTo[s];
    double lastKey = fullSync[s] || graph->data()->isEmpty() ? -std::numeric_limits<double>::infinity()
                                                             : (graph->data()->constEnd() - 1)->key;
    QVector<QCPGraphData> added;
    added.reserve(end - from);
    bool sorted = true;
    for (int i = from; i < end; ++i) {
        // An empty point inside the data is a gap at the previous time.
        const double key = x[i] == 0.0 && static_cast<double>(y[i]) == null && i > 0 ? lastKey : x[i];
        const double value = static_cast<double>(y[i]) == null ? std::numeric_limits<double>::quiet_NaN()
                                                                : static_cast<double>(y[i]);
        sorted = sorted && key >= lastKey;
        lastKey = key;
        added.append(QCPGraphData(key, value));
    }
    if (fullSync[s])
        graph->data()->set(added, sorted);
    else
        graph->data()->add(added, sorted);
    syncedUpTo[s] = end;
    fullSync[s] = false;
    rangesDirty = true;
}

void PESGraph::ApplyLook()
{
    const bool mono = state.ViewingStyle == sgMonochrome;
    // Only titles with text get a row above the plot area.
    QCPLayoutGrid* layout = plot->plotLayout();
    for (QCPTextElement* title : {mainTitle, subTitle}) {
        if (title->layout() == layout)
            layout->take(title);
    }
    layout->simplify();
    int row = 0;
    for (auto [element, text] : {std::pair{mainTitle, state.MainTitle.trimmed()},
                                 std::pair{subTitle, state.SubTitle.trimmed()}}) {
        element->setText(text);
        element->setVisible(!text.isEmpty());
        if (!text.isEmpty()) {
            layout->insertRow(row);
            layout->addElement(row++, 0, element);
        }
    }
    QCPAxis* x = plot->xAxis;
    QCPAxis* y = plot->yAxis;
    if (state.DateTimeMode == sgNoDateTime)
        x->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    else if (!x->ticker().dynamicCast<DayTicker>())
        x->setTicker(QSharedPointer<QCPAxisTicker>(new DayTicker));
    x->setLabel(state.XAxisLabel);
    QString yLabel = state.YAxisLabel;
    if (yLabel.isEmpty() && !state.SubsetLabels.empty())
        yLabel = state.SubsetLabels[0];
    y->setLabel(yLabel);
    const QColor yColor = mono ? QColor(Qt::black) : ColorFromStored(state.YAxisColor);
    y->setBasePen(QPen(yColor));
    y->setTickPen(QPen(yColor));
    y->setSubTickPen(QPen(yColor));
    y->setTickLabelColor(yColor);
    y->setLabelColor(yColor);
    for (QCPAxis* axis : {x, y}) {
        axis->grid()->setPen(GridPen(state.GridStyle));
        axis->grid()->setZeroLinePen(Qt::NoPen);
    }

    plot->legend->setVisible(state.Subsets > 1);
    for (int s = 0; s < state.Subsets && static_cast<std::size_t>(s) < graphs.size(); ++s) {
        const auto i = static_cast<std::size_t>(s);
        QCPGraph* graph = graphs[i];
        graph->setName(i < state.SubsetLabels.size() ? state.SubsetLabels[i] : QString());
        graph->setPen(SubsetPen(i < state.SubsetColors.size() ? state.SubsetColors[i] : 0xff000000u,
                                i < state.SubsetLineTypes.size() ? state.SubsetLineTypes[i] : 0, mono));
    }
    plot->setSelectionRectMode(state.AllowZooming == sgNoZooming ? QCP::srmNone : QCP::srmCustom);
    ApplyCursorShape();
}

void PESGraph::ApplyRanges()
{
    if (Zoomed())
        return;
    const auto count = static_cast<std::size_t>(state.Subsets) * state.Points;
    const double null = state.NullDataValueY;
    double lower = 0.0;
    double upper = 1.0;
    if (state.ManualScaleControlX == sgManualMinAndMax)
        SetRange(plot->xAxis, state.ManualMinX, state.ManualMaxX, OneMinuteDays);
    else if (ValueRange(state.XDataII.data(), state.YData.data(), count, null, true, lower, upper))
        SetRange(plot->xAxis, lower, upper, OneMinuteDays);
    if (state.ManualScaleControlY == sgManualMinAndMax)
        SetRange(plot->yAxis, state.ManualMinY, state.ManualMaxY, 1.0);
    else if (ValueRange(state.YData.data(), state.YData.data(), count, null, false, lower, upper))
        SetRange(plot->yAxis, lower - 0.05 * (upper - lower), upper + 0.05 * (upper - lower), 1.0);
}

void PESGraph::BuildAnnotations()
{
    for (QCPAbstractItem* item : annotationItems)
        plot->removeItem(item);
    annotationItems.clear();
    if (!state.ShowGraphAnnotations)
        return;
    QFont textFont = font();
    textFont.setPointSizeF(textFont.pointSizeF() * std::clamp(state.GraphAnnotationTextSize, 10, 400) / 100.0);
    for (const GraphAnnotation& note : state.GraphAnnotations) {
        if (note.Type != 2 && note.Text.isEmpty())
            continue;
        const QColor color = state.ViewingStyle == sgMonochrome ? QColor(Qt::black) : ColorFromStored(note.Color);
        if (note.Type == 2) {
            // A cross: two short strokes around an invisible anchor at the data point.
            auto* anchor = new QCPItemTracer(plot);
            anchor->setStyle(QCPItemTracer::tsNone);
            anchor->position->setCoords(note.X, note.Y);
            annotationItems.push_back(anchor);
            for (const int sign : {1, -1}) {
                auto* stroke = new QCPItemLine(plot);
                stroke->setPen(QPen(color, 2));
                stroke->start->setParentAnchor(anchor->position);
                stroke->end->setParentAnchor(anchor->position);
                stroke->start->setCoords(-5, -5 * sign);
                stroke->end->setCoords(5, 5 * sign);
                annotationItems.push_back(stroke);
            }
        }
        if (!note.Text.isEmpty()) {
            auto* text = new QCPItemText(plot);
            text->position->setCoords(note.X, note.Y);
            text->setPositionAlignment(note.Type == 2 ? Qt::AlignLeft | Qt::AlignBottom
                                                      : Qt::AlignLeft | Qt::AlignVCenter);
            text->setText(note.Text);
            text->setFont(textFont);
            text->setColor(color);
            annotationItems.push_back(text);
        }
    }
}

void PESGraph::PlaceVertLines()
{
    const QCPRange shown = plot->xAxis->range();
    for (std::size_t i = 0; i < 2; ++i) {
        const double x = state.VertLineAnnotation[i];
        const bool visible = state.ShowVertLineAnnotations && x != 0.0;
        vertLines[i]->setVisible(visible);
        vertLabels[i]->setVisible(visible && !state.VertLineAnnotationText[i].isEmpty());
        vertLines[i]->point1->setCoords(x, 0.0);
        vertLines[i]->point2->setCoords(x, 1.0);
        vertLabels[i]->setText(LineLabel(state.VertLineAnnotationText[i]));
        // Labels sit at the top, on the side of the line with more room; B one row lower.
        const bool leftHalf = x < shown.center();
        vertLabels[i]->setPositionAlignment(Qt::AlignTop | (leftHalf ? Qt::AlignLeft : Qt::AlignRight));
        vertLabels[i]->position->setCoords(x, i == 0 ? 0.01 : 0.12);
    }
}

void PESGraph::SetCustomCursor(const QCursor& cursor)
{
    customCursor = cursor;
    ApplyCursorShape();
}

void PESGraph::SetArrowCursor(int cursor)
{
    state.ArrowCursor = cursor;
    ApplyCursorShape();
}

void PESGraph::SetViewingStyle(int style)
{
    state.ViewingStyle = style;
    lookDirty = annotationsDirty = true;
}

void PESGraph::ApplyCursorShape()
{
    switch (state.ArrowCursor) {
    case 1: plot->setCursor(Qt::ArrowCursor); break;
    case 2: plot->setCursor(Qt::IBeamCursor); break;
    default: plot->setCursor(customCursor); break;
    }
}

void PESGraph::ZoomTo(const QRect& rect)
{
    if (rect.width() < ClickSlack && rect.height() < ClickSlack)
        return;
    const QCPRange x = plot->xAxis->range();
    const QCPRange y = plot->yAxis->range();
    zoomStack.push_back({x.lower, x.upper, y.lower, y.upper});
    const QRect area = plot->axisRect()->rect();
    const QRect inside = rect.normalized() & area;
    if (state.AllowZooming == sgHorzZooming || state.AllowZooming == sgHorzPlusVertZooming)
        plot->xAxis->setRange(plot->xAxis->pixelToCoord(inside.left()),
                              plot->xAxis->pixelToCoord(inside.right()));
    if (state.AllowZooming == sgVertZooming || state.AllowZooming == sgHorzPlusVertZooming)
        plot->yAxis->setRange(plot->yAxis->pixelToCoord(inside.bottom()),
                              plot->yAxis->pixelToCoord(inside.top()));
    PlaceVertLines();
    plot->replot();
    emit OnZoomIn();
}

void PESGraph::UndoZoom()
{
    if (zoomStack.empty())
        return;
    const Ranges before = zoomStack.front();
    zoomStack.clear();
    plot->xAxis->setRange(before.xLower, before.xUpper);
    plot->yAxis->setRange(before.yLower, before.yUpper);
    rangesDirty = true;
    Refresh();
}

void PESGraph::MousePressed(QMouseEvent* event)
{
    lastMousePos = event->position().toPoint();
    pressPos = lastMousePos;
}

void PESGraph::MouseMoved(QMouseEvent* event)
{
    lastMousePos = event->position().toPoint();
    emit OnMouseMove();
}

void PESGraph::MouseReleased(QMouseEvent* event)
{
    lastMousePos = event->position().toPoint();
    emit OnMouseUp();
    if (event->button() == Qt::LeftButton && (lastMousePos - pressPos).manhattanLength() <= ClickSlack)
        emit OnClick();
}

QRect PESGraph::PlotArea() const
{
    return plot->axisRect()->rect().translated(plot->pos());
}

QPointF PESGraph::PixelToData(QPointF pixel) const
{
    return {plot->xAxis->pixelToCoord(pixel.x() - plot->x()),
            plot->yAxis->pixelToCoord(pixel.y() - plot->y())};
}

QPointF PESGraph::DataToPixel(QPointF data) const
{
    return {plot->xAxis->coordToPixel(data.x()) + plot->x(),
            plot->yAxis->coordToPixel(data.y()) + plot->y()};
}

bool PESGraph::Customize()
{
    TfrmCustomize dialog(state, this);
    dialogResult = CurrentPrompts().RunModal(dialog) == QDialog::Accepted ? 1 : 0;
    if (dialogResult == 1) {
        dialog.ApplyTo(state);
        MarkAll();
        Refresh();
    }
    emit OnCustomizeDlg();
    return dialogResult == 1;
}

bool PESGraph::PrintDialog()
{
    QPrinter& printer = SharedPrinter();
    if (!CurrentPrompts().PrintDialog(printer))
        return false;
    QCPPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = std::min(page.width() / std::max(1, plot->width()),
                                  page.height() / std::max(1, plot->height()));
    painter.scale(scale, scale);
    plot->toPainter(&painter, plot->width(), plot->height());
    painter.end();
    return true;
}

QByteArray PESGraph::StoreState() const
{
    return StoreChartState(state);
}

bool PESGraph::LoadState(const QByteArray& block, QString* error)
{
    std::optional<ChartState> loaded = LoadChartState(block, error);
    if (!loaded)
        return false;
    state = std::move(*loaded);
    zoomStack.clear();
    MarkAll();
    return true;
}

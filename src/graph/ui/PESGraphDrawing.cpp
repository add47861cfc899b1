// Handing the chart's state to QCustomPlot: points, look, scales, marks and the two lines.
#include "graph/ui/PESGraph.h"

#include "graph/ui/ChartPens.h"
#include "graph/ui/DayTicker.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double OneMinuteDays = 60.0 / 86400.0;

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

// The plot's point for a point of the chart: an empty point inside the data is a gap at the
// previous time, a null level a gap.
QCPGraphData PlotPoint(double x, float y, double null, bool first, double lastKey)
{
    const bool empty = static_cast<double>(y) == null;
    return QCPGraphData(x == 0.0 && empty && !first ? lastKey : x,
                        empty ? std::numeric_limits<double>::quiet_NaN() : static_cast<double>(y));
}

QString LineLabel(const QString& text)
{
    // A leading "|t" asks for the label at the top of the line, which is where it goes.
    return text.startsWith(QStringLiteral("|t")) ? text.mid(2) : text;
}

}  // namespace

void PESGraph::SyncData()
{
    const auto subsets = static_cast<std::size_t>(state.Subsets);
    while (graphs.size() < subsets) {
        graphs.push_back(plot->addGraph());
        graphs.back()->setAdaptiveSampling(true);
        syncedUpTo.push_back(0);
        setUpTo.push_back(0);
        fullSync.push_back(true);
        sortedKeys.push_back(true);
        thinnings.emplace_back();
        lookDirty = true;
    }
    while (graphs.size() > subsets) {
        plot->removeGraph(graphs.back());
        graphs.pop_back();
        syncedUpTo.pop_back();
        setUpTo.pop_back();
        fullSync.pop_back();
        sortedKeys.pop_back();
        thinnings.pop_back();
    }
    for (int s = 0; s < state.Subsets; ++s)
        SyncSubset(s);
}

QVector<QCPGraphData> PESGraph::PlotPoints(int subset, int from, int end, double lastKey, bool& sorted) const
{
    const double* x = XSubset(subset);
    const float* y = YSubset(subset);
    const double null = state.NullDataValueY;
    QVector<QCPGraphData> points;
    points.reserve(std::max(0, end - from));
    sorted = true;
    for (int i = from; i < end; ++i) {
        const QCPGraphData point = PlotPoint(x[i], y[i], null, i == 0, lastKey);
        sorted = sorted && point.key >= lastKey;
        lastKey = point.key;
        points.append(point);
    }
    return points;
}

void PESGraph::SyncSubset(int subset)
{
    const auto s = static_cast<std::size_t>(subset);
    const double* x = XSubset(subset);
    const float* y = YSubset(subset);
    const double null = state.NullDataValueY;
    // Trailing empty points (a real-time chart not yet filled) are not handed over, so that
    // filling them appends instead of rebuilding. Since the last hand-over, only the points set
    // beyond it can have filled any: the search starts there, not at the chart's end, so that
    // a sample costs the same in a run set up for a million as in one set up for ten.
    const int lowest = fullSync[s] ? 0 : syncedUpTo[s];
    int end = fullSync[s] ? state.Points : std::min(std::max(syncedUpTo[s], setUpTo[s]), state.Points);
    while (end > lowest && IsEmptyPoint(x[end - 1], y[end - 1], null))
        --end;
    setUpTo[s] = 0;
    if (!fullSync[s] && end <= syncedUpTo[s])
        return;
    QCPGraph* graph = graphs[s];
    const int from = fullSync[s] ? 0 : syncedUpTo[s];
    const double lastKey = fullSync[s] || graph->data()->isEmpty() ? -std::numeric_limits<double>::infinity()
                                                                   : (graph->data()->constEnd() - 1)->key;
    bool sorted = true;
    const QVector<QCPGraphData> added = PlotPoints(subset, from, end, lastKey, sorted);
    if (fullSync[s]) {
        // The plot gets the whole series; the next layout thins it again if it is long.
        thinnings[s].reset();
        sortedKeys[s] = sorted;
        graph->data()->set(added, sorted);
    } else {
        sortedKeys[s] = sortedKeys[s] && sorted;
        if (thinnings[s] && sorted) {
            for (const QCPGraphData& point : added)
                thinnings[s]->Add(point.key, point.value);
            ShowThinned(subset);
        } else {
            if (thinnings[s]) {
                // Times going back: the series is handed over whole from now on.
                thinnings[s].reset();
                bool whole = true;
                graph->data()->set(PlotPoints(subset, 0, syncedUpTo[s], -std::numeric_limits<double>::infinity(), whole), whole);
            }
            graph->data()->add(added, sorted);
        }
    }
    syncedUpTo[s] = end;
    fullSync[s] = false;
    rangesDirty = true;
}

// Runs once the plot is laid out, before it draws: the columns the points fall in are known
// only then. A long series is thinned anew when the time scale or the plot area has changed.
void PESGraph::UpdateThinning()
{
    // At this many points a column, the plot's own pass over them costs more than thinning.
    constexpr int ThinFromPointsPerColumn = 8;
    const QCPAxis* axis = plot->xAxis;
    const QRect area = axis->axisRect()->rect();
    const ColumnMapping mapping{axis->range().lower, axis->range().upper, area.left(), area.width()};
    const bool plain = axis->scaleType() == QCPAxis::stLinear && !axis->rangeReversed() && mapping.width > 0;
    for (std::size_t s = 0; s < graphs.size(); ++s) {
        const bool wanted = plain && sortedKeys[s] && syncedUpTo[s] > ThinFromPointsPerColumn * mapping.width;
        if (wanted && !(thinnings[s] && thinnings[s]->Mapping() == mapping)) {
            const int subset = static_cast<int>(s);
            const double* x = XSubset(subset);
            const float* y = YSubset(subset);
            ColumnThinning thinning(mapping);
            double lastKey = 0.0;
            for (int i = 0; i < syncedUpTo[s]; ++i) {
                const QCPGraphData point = PlotPoint(x[i], y[i], state.NullDataValueY, i == 0, lastKey);
                thinning.Add(point.key, point.value);
                lastKey = point.key;
            }
            thinnings[s] = std::move(thinning);
            ShowThinned(subset);
        } else if (!wanted && thinnings[s]) {
            thinnings[s].reset();
            bool sorted = true;
            graphs[s]->data()->set(PlotPoints(static_cast<int>(s), 0, syncedUpTo[s],
                                              -std::numeric_limits<double>::infinity(), sorted), sorted);
        }
    }
}

void PESGraph::ShowThinned(int subset)
{
    const std::vector<ThinnedPoint>& kept = thinnings[static_cast<std::size_t>(subset)]->Kept();
    QVector<QCPGraphData> shown;
    shown.reserve(static_cast<qsizetype>(kept.size()));
    for (const ThinnedPoint& point : kept)
        shown.append(QCPGraphData(point.key, point.value));
    graphs[static_cast<std::size_t>(subset)]->data()->set(shown, true);
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

void PESGraph::BuildShading()
{
    for (QCPItemRect* item : shadingItems)
        plot->removeItem(item);
    shadingItems.clear();
    for (const ShadedSpan& span : shadedSpans) {
        auto* band = new QCPItemRect(plot);
        // Behind the points and the grid, so that the levels inside stay readable.
        band->setLayer(QStringLiteral("background"));
        band->setClipToAxisRect(true);
        band->setPen(Qt::NoPen);
        band->setBrush(span.color);
        for (QCPItemPosition* corner : {band->topLeft, band->bottomRight})
            corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
        band->topLeft->setCoords(span.from, 0.0);
        band->bottomRight->setCoords(span.to, 1.0);
        shadingItems.push_back(band);
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

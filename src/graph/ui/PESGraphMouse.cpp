// The chart under the mouse: pointer shapes, clicks, the rubber-band zoom and pixel conversion.
#include "graph/ui/PESGraph.h"

#include "graph/ui/ToolCursors.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <qcustomplot.h>

namespace {

constexpr int ClickSlack = 3;  // pixels a click may move before it counts as a drag

}  // namespace

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

void PESGraph::ApplyCursorShape()
{
    switch (state.ArrowCursor) {
    case 1: plot->setCursor(Qt::ArrowCursor); break;
    case 2: plot->setCursor(TextCursor()); break;
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

void PESGraph::WheelTurned(QWheelEvent* event)
{
    // A zoomed chart scrolls: the wheel moves the time axis, with Shift the level axis, by a
    // tenth of the visible span per notch.
    if (!Zoomed())
        return;
    const bool vertical = event->modifiers().testFlag(Qt::ShiftModifier);
    if (vertical ? !state.ScrollingVertZoom : !state.ScrollingHorzZoom)
        return;
    const double notches = event->angleDelta().y() / 120.0;
    QCPAxis* axis = vertical ? plot->yAxis : plot->xAxis;
    axis->moveRange((vertical ? notches : -notches) * axis->range().size() / 10.0);
    PlaceVertLines();
    plot->replot();
}

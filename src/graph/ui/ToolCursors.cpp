#include "graph/ui/ToolCursors.h"

#include "graph/ui/GraphTools.h"

#include <QBitmap>
#include <QPainter>

namespace {

QCursor Drawn(void (*draw)(QPainter&))
{
    QBitmap shape(32, 32);
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(QPen(Qt::color1, 1));
    draw(painter);
    painter.end();
    return QCursor(shape, shape, 0, 0);
}

}  // namespace

QCursor CrossCursor()
{
    return Drawn([](QPainter& p) {
        p.setPen(QPen(Qt::color1, 2));
        p.drawLine(8, 8, 22, 22);
        p.drawLine(22, 8, 8, 22);
    });
}

QCursor TextCursor()
{
    return Drawn([](QPainter& p) {
        p.drawLine(0, 0, 2, 0);
        p.drawLine(1, 0, 1, 14);
        p.drawLine(0, 14, 2, 14);
    });
}

QPoint ToolPointerShift(int toolMode)
{
    if (toolMode == PlaceText)
        return {1, 7};
    if (toolMode == PlaceCross)
        return {15, 15};
    return {};
}

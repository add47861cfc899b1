#include "CrossCursor.h"

#include <QBitmap>
#include <QPainter>

QCursor CrossCursor()
{
    QBitmap shape(32, 32);
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(QPen(Qt::color1, 2));
    painter.drawLine(8, 8, 22, 22);
    painter.drawLine(22, 8, 8, 22);
    painter.end();
    return QCursor(shape, shape, 0, 0);
}

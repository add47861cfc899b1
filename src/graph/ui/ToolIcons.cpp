#include "graph/ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon MakeToolIcon(ToolIcon icon)
{
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    const QColor ink(40, 40, 40);
    p.setPen(QPen(ink, 1.6));
    switch (icon) {
    case ToolIcon::Statistic:
        p.setBrush(QColor(90, 140, 210));
        p.drawRect(3, 11, 3, 6);
        p.drawRect(8, 6, 3, 11);
        p.drawRect(13, 9, 3, 8);
        break;
    case ToolIcon::Cursors:
        p.setPen(QPen(QColor(0, 0, 230), 1.8));
        p.drawLine(6, 2, 6, 18);
        p.setPen(QPen(QColor(220, 0, 0), 1.8));
        p.drawLine(14, 2, 14, 18);
        p.setPen(QPen(ink, 1.2));
        p.drawLine(2, 13, 18, 9);
        break;
    case ToolIcon::Pointer: {
        QPainterPath arrow;
        arrow.moveTo(5, 2);
        arrow.lineTo(5, 17);
        arrow.lineTo(9, 13);
        arrow.lineTo(12, 18);
        arrow.lineTo(14, 17);
        arrow.lineTo(11, 12);
        arrow.lineTo(16, 12);
        arrow.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        break;
    }
    case ToolIcon::Cross:
        p.setPen(QPen(QColor(200, 0, 0), 2.2));
        p.drawLine(4, 4, 16, 16);
        p.drawLine(16, 4, 4, 16);
        break;
    case ToolIcon::Text: {
        QFont font = p.font();
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("T"));
        break;
    }
    case ToolIcon::Erase:
        p.setBrush(QColor(240, 150, 160));
        p.drawPolygon(QPolygonF({QPointF(3, 13), QPointF(11, 4), QPointF(17, 9), QPointF(9, 17)}));
        p.drawLine(3, 18, 17, 18);
        break;
    case ToolIcon::Color:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPointF(7, 8), 5, 5);
        p.setBrush(QColor(40, 160, 40));
        p.drawEllipse(QPointF(13, 8), 5, 5);
        p.setBrush(QColor(40, 80, 220));
        p.drawEllipse(QPointF(10, 13), 5, 5);
        break;
    case ToolIcon::Monochrome:
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(10, 10), 7, 7);
        p.setBrush(Qt::white);
        p.drawPie(QRectF(3, 3, 14, 14), 90 * 16, 180 * 16);
        break;
    case ToolIcon::Clear:
        p.setBrush(Qt::white);
        p.drawRect(4, 3, 12, 15);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(6, 6, 14, 15);
        p.drawLine(14, 6, 6, 15);
        break;
    }
    return QIcon(picture);
}

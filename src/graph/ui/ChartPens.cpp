#include "graph/ui/ChartPens.h"

#include "files/ChartState.h"

QColor ColorFromStored(std::uint32_t stored)
{
    return QColor(static_cast<int>(stored & 0xff), static_cast<int>((stored >> 8) & 0xff),
                  static_cast<int>((stored >> 16) & 0xff), static_cast<int>(stored >> 24));
}

std::uint32_t StoredFromColor(const QColor& color)
{
    return PEargb(static_cast<std::uint32_t>(color.alpha()), static_cast<std::uint32_t>(color.red()),
                  static_cast<std::uint32_t>(color.green()), static_cast<std::uint32_t>(color.blue()));
}

QPen SubsetPen(std::uint32_t color, std::int32_t lineType, bool monochrome)
{
    QPen pen(monochrome ? QColor(Qt::black) : ColorFromStored(color));
    pen.setCosmetic(true);
    switch (lineType) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setWidth(2); break;
    case 5: pen.setWidth(3); break;
    default: break;
    }
    return pen;
}

QPen GridPen(std::int32_t gridStyle)
{
    QPen pen(QColor(200, 200, 200));
    switch (gridStyle) {
    case sgThin: break;
    case sgThick: pen.setColor(QColor(170, 170, 170)); pen.setWidth(2); break;
    case sgDot: pen.setStyle(Qt::DotLine); pen.setColor(QColor(150, 150, 150)); break;
    case sgDash: pen.setStyle(Qt::DashLine); break;
    default: pen = QPen(Qt::NoPen); break;
    }
    return pen;
}

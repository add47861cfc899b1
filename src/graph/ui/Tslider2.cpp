#include "graph/ui/Tslider2.h"

#include "graph/SliderMath.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

Tslider2::Tslider2(QWidget* parent) : QWidget(parent)
{
    TrackColor = palette().color(QPalette::Button);
    ThumbColor = palette().color(QPalette::Button);
    resize(200, 50);
}

int Tslider2::TrackLength() const
{
    return orientation == slHoriz ? width() : height();
}

void Tslider2::SetValue1(int value)
{
    value = ClampSliderValue(value, minimum, maximum);
    if (value == value1)
        return;
    value1 = value;
    emit OnValueChange1();
    update();
}

void Tslider2::SetValue2(int value)
{
    value = ClampSliderValue(value, minimum, maximum);
    if (value == value2)
        return;
    value2 = value;
    emit OnValueChange2();
    update();
}

void Tslider2::SetMin(int value)
{
    if (value == minimum)
        return;
    minimum = value;
    if (value1 < minimum)
        SetValue1(minimum);
    if (value2 < minimum)
        SetValue2(minimum);
    update();
}

void Tslider2::SetMax(int value)
{
    if (value == maximum)
        return;
    maximum = value;
    if (value1 > maximum)
        SetValue1(maximum);
    if (value2 > maximum)
        SetValue2(maximum);
    update();
}

QRect Tslider2::ThumbRect(int thumb) const
{
    const int offset = ThumbOffset(TrackLength(), ThumbHeight, thumb == 1 ? value1 : value2, minimum, maximum);
    if (orientation == slHoriz)
        return QRect(offset, 0, ThumbHeight, height());
    return QRect(0, height() - offset - ThumbHeight, width(), ThumbHeight);
}

void Tslider2::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool horizontal = orientation == slHoriz;
    const QRect track = horizontal ? QRect(0, (height() - TrackWidth) / 2, width(), TrackWidth)
                                   : QRect((width() - TrackWidth) / 2, 0, TrackWidth, height());
    painter.fillRect(track, TrackColor);
    painter.setPen(TrackColor.darker(160));
    painter.drawLine(track.topLeft(), track.topRight());
    painter.drawLine(track.topLeft(), track.bottomLeft());

    for (int thumb = 1; thumb <= 2; ++thumb) {
        const QRect rect = ThumbRect(thumb);
        painter.fillRect(rect, ThumbColor);
        painter.setPen(ThumbColor.darker(200));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(thumb == 1 ? QColor(0, 0, 230) : QColor(220, 0, 0));
        if (horizontal)
            painter.drawLine(rect.center().x(), rect.top() + 1, rect.center().x(), rect.bottom() - 1);
        else
            painter.drawLine(rect.left() + 1, rect.center().y(), rect.right() - 1, rect.center().y());
    }
}

void Tslider2::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (ThumbRect(1).contains(at))
            dragging = 1;
        else if (ThumbRect(2).contains(at))
            dragging = 2;
        if (dragging != 0) {
            pressPoint = at;
            pressValue = dragging == 1 ? value1 : value2;
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void Tslider2::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging == 0)
        return QWidget::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    const int delta = orientation == slHoriz ? at.x() - pressPoint.x() : pressPoint.y() - at.y();
    const int value = DraggedValue(pressValue, delta, minimum, maximum, TrackLength(), ThumbHeight);
    if (dragging == 1)
        SetValue1(value);
    else
        SetValue2(value);
}

void Tslider2::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging = 0;
    QWidget::mouseReleaseEvent(event);
}

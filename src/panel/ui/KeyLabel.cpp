#include "panel/ui/KeyLabel.h"

#include <QMouseEvent>

KeyLabel::KeyLabel(const QString& name, const QRect& area, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    setGeometry(area);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
}

void KeyLabel::mousePressEvent(QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
}

void KeyLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked();
}

void KeyLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The release that follows a double click is not another click.
    pressed = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

#include "UserInput.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

void DoubleClick(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
    const QPointF at(5, 5);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &second);
    QTest::mouseRelease(widget, Qt::LeftButton);
}

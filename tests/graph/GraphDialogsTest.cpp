#include "GraphWindowFixture.h"

#include "graph/ui/TfrmDateTime.h"
#include "graph/ui/Tslider2.h"

#include <QDateEdit>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

TEST(TfrmDateTime, GivesThePickedDatePlusThePickedTime)
{
    TfrmDateTime dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Date Time"));
    const double when = DaysFromDateTime(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    dialog.SetDateTime(when);
    EXPECT_DOUBLE_EQ(dialog.DateTime(), when);
    dialog.DatePicker->setDate(QDate(2024, 3, 1));
    dialog.TimePicker->setTime(QTime(0, 0, 5));
    EXPECT_DOUBLE_EQ(dialog.DateTime(), DaysFromDateTime(QDateTime(QDate(2024, 3, 1), QTime(0, 0, 5))));
}

TEST_F(GraphWindowTest, ShownInTheAreaAsAChildThatFreesItself)
{
    QMdiArea area;
    area.resize(1400, 900);
    area.show();
    QPointer<TfrmGraph> graph = new TfrmGraph;
    QMdiSubWindow* frame = graph->ShowInArea(&area);
    EXPECT_TRUE(frame->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(graph->size(), QSize(1152, 699));
    EXPECT_TRUE(graph->isVisible());
    EXPECT_TRUE(frame->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(graph.isNull());
}

TEST_F(GraphWindowTest, DraggingOnTheChartZoomsAndEnablesUndo)
{
    Fill({50, 60, 70, 80, 75, 65});
    QWidget* plot = window->PESGraph1->Plot();
    const QRect area = window->PESGraph1->PlotArea();
    QTest::mousePress(plot, Qt::LeftButton, {}, area.topLeft() + QPoint(20, 20));
    QTest::mouseMove(plot, area.center());
    QTest::mouseRelease(plot, Qt::LeftButton, {}, area.center());
    EXPECT_TRUE(window->UndoZoom->isEnabled());
    EXPECT_TRUE(window->PESGraph1->Zoomed());
    window->UndoZoom->click();
    EXPECT_FALSE(window->UndoZoom->isEnabled());
    EXPECT_FALSE(window->PESGraph1->Zoomed());
}

TEST_F(GraphWindowTest, SliderAndReadoutLineUpWithThePlotArea)
{
    Fill({50, 60, 70});
    const QRect area = window->PESGraph1->PlotArea();
    const QPoint plotLeft = window->PESGraph1->mapTo(window.get(), area.topLeft());
    const QPoint sliderLeft = window->Slider1->mapTo(window.get(), QPoint(0, 0));
    EXPECT_EQ(sliderLeft.x(), plotLeft.x());
    EXPECT_EQ(window->Slider1->width(), area.width());
    window->ToolButton1->click();
    EXPECT_EQ(window->Panel12->pos(), window->PESGraph1->geometry().topLeft());
}

}  // namespace

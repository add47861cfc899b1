// What a user sees whole: windows that open inside the main window's visible area at a size
// that shows their contents, texts that fit their places and mean what they say.
#include "graph/ui/TfrmDateTime.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "leq/ui/TfrmNoiseMetrics.h"
#include "link/SimulatedMeter.h"
#include "MainWindowFixture.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"
#include "tables/ui/TfrmList.h"
#include "TestRecordings.h"

#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

namespace {

class WindowsInViewTest : public ConnectedMainWindowFixture {
protected:
    void SetUp() override
    {
        clock.clock.nowStep = 0.001 * OneSecond;
        ConnectedMainWindowFixture::SetUp();
    }

    QRect Space() const { return window->MdiArea()->viewport()->rect(); }
    static QRect Frame(const QWidget& inside) { return inside.parentWidget()->geometry(); }
};

}  // namespace

// The Noise Metrics window once opened with rows cut off below or beside the main window.
TEST_F(WindowsInViewTest, ToolWindowsOpenWhollyInsideTheVisibleArea)
{
    for (const QSize size : {QSize(1400, 900), QSize(760, 480)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        auto* graph = new TfrmGraph(window->GraphWindowServices());
        graph->setWindowTitle("a.ghf");
        graph->ShowInArea(window->MdiArea());
        const double t = clock.clock.now;
        PrepareChart(*graph->PESGraph1, 1, 130.0f, 30.0f, t + 2 * OneSecond, t, 2);
        graph->ShowRecording(LevelsFrom(t, 1.0, {60.0f, 70.0f}));
        graph->btnNoiseMetrics->click();
        TfrmNoiseMetrics* metrics = nullptr;
        for (QMdiSubWindow* frame : window->MdiArea()->subWindowList())
            if (auto* found = qobject_cast<TfrmNoiseMetrics*>(frame->widget()); found && found->Source() == graph)
                metrics = found;
        ASSERT_NE(metrics, nullptr);
        EXPECT_TRUE(Space().contains(Frame(*metrics))) << size.width() << "x" << size.height();

        auto* list = new TfrmList;
        list->ShowInArea(window->MdiArea());
        EXPECT_TRUE(Space().contains(Frame(*list))) << size.width() << "x" << size.height();
        graph->parentWidget()->close();
        list->parentWidget()->close();
        FlushDeletes();
    }
}

// A list window once opened as a small box in a corner; it shows its columns.
TEST_F(WindowsInViewTest, AListWindowOpensWideEnoughForItsColumns)
{
    window->resize(1400, 900);
    QCoreApplication::processEvents();
    auto* list = new TfrmList;
    list->ShowInArea(window->MdiArea());
    int columns = 0;
    for (int column = 0; column < list->Grid1->ColCount(); ++column)
        columns += list->Grid1->columnWidth(column);
    EXPECT_GE(list->Grid1->viewport()->width(), columns);
    EXPECT_GE(list->Grid1->viewport()->height(), 10 * list->Grid1->rowHeight(0));
}

// "Download cancelled" once showed as "Download cance".
TEST_F(WindowsInViewTest, StatusTextsFitTheirPanels)
{
    window->resize(1400, 900);
    auto* panel = window->statusBar()->findChild<QLabel*>("StatusPanel0");
    ASSERT_NE(panel, nullptr);
    for (const char* text : {"Download cancelled", "On Connection", "Off Connection", "No Connection"}) {
        panel->setText(QString::fromLatin1(text));
        QCoreApplication::processEvents();
        window->statusBar()->layout()->activate();
        EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text())) << text;
    }
}

TEST_F(WindowsInViewTest, TheSetListsPopUpEntryShowsItsAmpersand)
{
    window->LoadData1->trigger();
    TfrmGraph& logger = *window->DataLoggerGraph();
    auto* change = logger.Grid2->findChild<QAction*>("ChangeDateTime1");
    ASSERT_NE(change, nullptr);
    // A single '&' marks the next letter as a shortcut and is not shown.
    EXPECT_EQ(change->text().replace(QStringLiteral("&&"), QStringLiteral("&")), "Change Date & Time");
    EXPECT_TRUE(QKeySequence::mnemonic(change->text()).isEmpty());
    EXPECT_EQ(change->iconText(), "Change Date & Time");
}

// After a date change the DATE column once showed "10 Dec ...": it was not widened as after
// a download.
TEST_F(WindowsInViewTest, ANewStartTimeWidensTheColumnsToShowIt)
{
    window->LoadData1->trigger();
    TfrmGraph& logger = *window->DataLoggerGraph();
    StringGrid& grid = *logger.Grid2;
    prompts.prompts.onModal = [](QDialog& dialog) {
        dynamic_cast<TfrmDateTime&>(dialog).SetDateTime(DaysFromDateTime(QDateTime(QDate(2026, 12, 10), QTime(8, 0))));
        return int(QDialog::Accepted);
    };
    grid.SetColWidth(1, 20);  // narrower than any date
    grid.SetColWidth(2, 20);
    grid.selectRow(0);
    emit logger.ChangeDateTimeRequested(1);
    EXPECT_GT(grid.columnWidth(1), grid.fontMetrics().horizontalAdvance(grid.Cell(1, 1)));
    EXPECT_GT(grid.columnWidth(2), grid.fontMetrics().horizontalAdvance(grid.Cell(2, 1)));
}

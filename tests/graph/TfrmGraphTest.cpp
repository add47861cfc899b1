#include "GraphWindowFixture.h"

#include "graph/ui/ChartFile.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/TfrmCustomize.h"
#include "graph/ui/Tslider2.h"
#include "shell/Folders.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include "shell/ui/StringGrid.h"
#include <QTest>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

TEST_F(GraphWindowTest, FreshWindowHasItsControlsAndInitialTexts)
{
    for (const char* name : {"pnlDataSets", "Grid2", "ToolBar1", "ToolButton1", "ToolButton2", "ToolButton4",
                             "ToolButton5", "ToolButton9", "ToolButton13", "ToolButton6", "ToolButton7",
                             "tbntClr", "UndoZoom", "Button1", "Button2", "bunCalLEQ", "pnlGraphStatistic",
                             "txtStartTime", "txtSamplingRate", "txtDataNo", "txtAvgAll", "txtMax", "txtMaxTime",
                             "txtMin", "txtMinTime", "Panel12", "PESGraph1", "Splitter1", "pnlStatistic",
                             "pnlSlider", "Slider1", "txtCursorA", "txtCursorATime", "txtCursorB",
                             "txtCursorBTime", "txtMaxAB", "txtMaxABTime", "txtMinAB", "txtMinABTime", "txtAvgAB"})
        EXPECT_NE(window->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Graph"));
    EXPECT_EQ(window->txtDataNo->text(), QStringLiteral("0"));
    EXPECT_EQ(window->txtAvgAll->text(), QStringLiteral("***.* dB "));
    EXPECT_EQ(window->txtSamplingRate->currentText(), QStringLiteral("1"));
    EXPECT_EQ(window->Grid2->Cell(7, 0), QStringLiteral("LEVEL"));
    EXPECT_EQ(window->Grid2->columnWidth(1), 60);
    EXPECT_FALSE(window->UndoZoom->isEnabled());
    EXPECT_FALSE(window->tbntClrAction->isVisible());
    EXPECT_FALSE(window->pnlDataSets->isVisible());
    EXPECT_EQ(window->ToolButton2->toolTip(), QStringLiteral("Toggle Line Cursor Statistic"));
}

TEST_F(GraphWindowTest, TheRoleShowsTheKindsOwnControls)
{
    window->SetRole(std::make_unique<RecordingRole>(GraphRole::Kind::DataLogger));
    EXPECT_TRUE(window->IsDataLoggerWindow());
    EXPECT_TRUE(window->pnlDataSets->isVisible());
    EXPECT_FALSE(window->tbntClrAction->isVisible());
    window->SetRole(std::make_unique<RecordingRole>(GraphRole::Kind::RealTime));
    EXPECT_TRUE(window->IsRealTimeWindow());
    EXPECT_FALSE(window->pnlDataSets->isVisible());
    EXPECT_TRUE(window->tbntClrAction->isVisible());
    EXPECT_TRUE(window->tbntSep3->isVisible());
}

TEST_F(GraphWindowTest, MovingACursorRedrawsOnlyTheCursorLayer)
{
    Fill({50, 60, 70, 80, 90, 85, 75});
    window->PESGraph1->Refresh();
    int fullReplots = 0;
    QObject::connect(window->PESGraph1->Plot(), &QCustomPlot::beforeReplot, [&] { ++fullReplots; });
    window->Slider1->SetValue1(5);
    EXPECT_EQ(window->txtCursorA->text(), QStringLiteral("85.0"));
    EXPECT_EQ(fullReplots, 0);
}

TEST_F(GraphWindowTest, StatisticsOfTenPointsOneSecondApart)
{
    Fill({50, 60, 70, 40, 70, 55, 40, 65, 45, 50}, At(10, 0, 0, 600));
    EXPECT_EQ(window->txtStartTime->text(), QStringLiteral("3/4/2023 10:00:01 AM"));
    EXPECT_EQ(window->txtSamplingRate->currentText(), QStringLiteral("0.8"));  // from the rounded start
    EXPECT_EQ(window->txtDataNo->text(), QStringLiteral("10"));
    EXPECT_EQ(window->txtAvgAll->text(), QStringLiteral("54.5"));
    EXPECT_EQ(window->txtMax->text(), QStringLiteral("70.0"));
    EXPECT_EQ(window->txtMaxTime->text(), QStringLiteral("3/4/2023 10:00:03 AM"));
    EXPECT_EQ(window->txtMin->text(), QStringLiteral("40.0"));
    EXPECT_EQ(window->txtMinTime->text(), QStringLiteral("3/4/2023 10:00:04 AM"));
    EXPECT_EQ(window->Slider1->Maximum(), 9);
    EXPECT_EQ(window->Slider1->Value1(), 3);
    EXPECT_EQ(window->Slider1->Value2(), 6);

    Fill({50, 60, 70, 40, 70, 55, 40, 65, 45, 50}, At(10, 0, 0, 500));
    EXPECT_EQ(window->txtStartTime->text(), QStringLiteral("3/4/2023 10:00:00 AM"));
    EXPECT_EQ(window->txtSamplingRate->currentText(), QStringLiteral("0.9"));
}

TEST_F(GraphWindowTest, ShowingAFilledWindowKeepsItsRateAndFollowsTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    window = std::make_unique<TfrmGraph>();
    Fill({1, 2, 3, 4}, At(10, 0, 0));
    window->txtSamplingRate->setEditText(QStringLiteral("20,0"));
    window->show();
    QLocale::setDefault(before);
    EXPECT_EQ(window->txtSamplingRate->currentText(), QStringLiteral("20,0"));
    EXPECT_EQ(window->txtSamplingRate->itemText(0), QStringLiteral("1,0"));
    EXPECT_EQ(window->txtSamplingRate->itemText(5), QStringLiteral("30,0"));
}

TEST_F(GraphWindowTest, CursorsFollowTheSliderInEitherOrder)
{
    Fill({10, 80, 30, 80, 20, 90});
    window->Slider1->SetValue1(4);
    window->Slider1->SetValue2(1);
    EXPECT_EQ(window->Tools.CursorA, 4);
    EXPECT_EQ(window->Tools.CursorB, 1);
    EXPECT_EQ(window->txtCursorA->text(), QStringLiteral("20.0"));
    EXPECT_EQ(window->txtCursorATime->text(), QStringLiteral("3/4/2023 10:00:04 AM"));
    EXPECT_EQ(window->txtCursorB->text(), QStringLiteral("80.0"));
    EXPECT_EQ(window->txtMaxAB->text(), QStringLiteral("80.0"));
    EXPECT_EQ(window->txtMaxABTime->text(), QStringLiteral("3/4/2023 10:00:01 AM"));
    EXPECT_EQ(window->txtMinAB->text(), QStringLiteral("20.0"));
    EXPECT_EQ(window->txtAvgAB->text(), QStringLiteral("52.5"));
    const ChartState& chart = window->PESGraph1->State();
    EXPECT_EQ(chart.VertLineAnnotation[0], At(10, 0, 4));
    EXPECT_EQ(chart.VertLineAnnotationText[1], QStringLiteral("|t10:00:01 AM\n80.0dB"));

    window->Slider1->SetValue2(4);  // A = B
    EXPECT_EQ(window->txtMaxAB->text(), QStringLiteral("20.0"));
    EXPECT_EQ(window->txtMinAB->text(), QStringLiteral("20.0"));
    EXPECT_EQ(window->txtAvgAB->text(), QStringLiteral("20.0"));
}

TEST_F(GraphWindowTest, AOnePointChartMovesTheIndicesButShowsNothing)
{
    Fill({42});
    EXPECT_EQ(window->Slider1->Maximum(), 0);
    EXPECT_EQ(window->txtCursorA->text(), QString());
    EXPECT_EQ(window->txtAvgAB->text(), QString());
    EXPECT_EQ(window->txtAvgAll->text(), QStringLiteral("42.0"));
}

TEST_F(GraphWindowTest, AChartWithoutPointsLeavesTheBoxesEmpty)
{
    PrepareChart(*window->PESGraph1, 1, 130.0f, 30.0f, 0.0, 0.0, 0);
    window->RefreshStatistics();
    EXPECT_EQ(window->txtAvgAll->text(), QString());
    EXPECT_EQ(window->txtStartTime->text(), QString());
    EXPECT_EQ(window->txtMaxTime->text(), QString());
    EXPECT_EQ(window->txtDataNo->text(), QStringLiteral("0"));
    EXPECT_EQ(window->txtMaxAB->text(), QString());
}

TEST_F(GraphWindowTest, StatisticsCoverOnlyTheFilledPoints)
{
    PESGraph& chart = *window->PESGraph1;
    PrepareChart(chart, 1, 130.0f, 30.0f, At(10, 5, 0), At(10, 0, 0), 200);
    for (int i = 0; i < 120; ++i)
        chart.SetPoint(0, i, At(10, 0, 0) + i * OneSecond, i < 60 ? 40.0f : 60.0f);
    window->RefreshStatistics();
    EXPECT_EQ(window->txtDataNo->text(), QStringLiteral("120"));
    EXPECT_EQ(window->txtAvgAll->text(), QStringLiteral("50.0"));
    EXPECT_EQ(window->txtMax->text(), QStringLiteral("60.0"));
    EXPECT_EQ(window->txtSamplingRate->currentText(), QStringLiteral("1.0"));
    EXPECT_EQ(window->Slider1->Maximum(), 119);
    window->Slider1->SetValue2(500);
    EXPECT_EQ(window->txtMaxAB->text(), QStringLiteral("60.0"));
}

TEST_F(GraphWindowTest, ExportStatisticCopiesTheBoxes)
{
    Fill({50, 60, 70});
    window->Button2Click();
    const QStringList lines = QApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("Start Time:3/4/2023 10:00:00 AM"));
    EXPECT_EQ(lines[2], QStringLiteral("DataNo:3"));
    EXPECT_EQ(lines[6], QStringLiteral("Cursor A:60.0@3/4/2023 10:00:01 AM"));
    EXPECT_EQ(lines[10], QStringLiteral("Avg. Between A and B:65.0"));
    EXPECT_EQ(fake.prompts.Messages(), QStringList{QStringLiteral("The statistic has been copy to clipboard")});
}

TEST_F(GraphWindowTest, PointerReadoutInsideThePlotAreaOnly)
{
    Fill({50, 60, 70});
    PESGraph& chart = *window->PESGraph1;
    const QPoint inside = chart.PlotArea().center();
    QTest::mouseMove(chart.Plot(), inside);
    EXPECT_TRUE(window->Panel12->text().endsWith(u'M'));
    EXPECT_TRUE(window->Panel12->text().contains(QStringLiteral("dB@")));
    const QString before = window->Panel12->text();
    QTest::mouseMove(chart.Plot(), chart.PlotArea().topLeft() - QPoint(5, 5));
    EXPECT_EQ(window->Panel12->text(), before);
}

struct CloseCase {
    Prompts::Answer answer;
    bool saveWrites;
    bool closes;
    int saves;
    int marked;  // times the role was told of a save
};

class CloseQuestionTest : public GraphWindowTest, public ::testing::WithParamInterface<CloseCase> {};

// A window whose role holds unsaved measurements asks its role's question; a save that wrote
// nothing keeps the window, its data and its mark.
TEST_P(CloseQuestionTest, AnswersAndSaves)
{
    const CloseCase c = GetParam();
    auto role = std::make_unique<RecordingRole>();
    RecordingRole& told = *role;
    window->SetRole(std::move(role));
    fake.prompts.answers = {c.answer};
    int saves = 0;
    services.Save = [&](TfrmGraph&) {
        ++saves;
        return c.saveWrites;
    };
    EXPECT_EQ(window->close(), c.closes);
    EXPECT_EQ(fake.prompts.questions, QStringList{told.question});
    EXPECT_EQ(saves, c.saves);
    EXPECT_EQ(told.saved, c.marked);
    EXPECT_EQ(told.closed, c.closes ? 1 : 0);
}

using A = Prompts::Answer;
INSTANTIATE_TEST_SUITE_P(
    GraphWindow, CloseQuestionTest,
    ::testing::Values(CloseCase{A::Cancel, true, false, 0, 0}, CloseCase{A::Yes, true, true, 1, 1},
                      CloseCase{A::Yes, false, false, 1, 0}, CloseCase{A::No, true, true, 0, 0}));

// The kind of a window is its role, whatever its caption says: a graph made from the real-time
// graph or the DataLogger window has its caption but none of its run or data.
TEST_F(GraphWindowTest, AGraphWithASpecialCaptionIsAnOrdinaryGraph)
{
    window->setWindowTitle(QStringLiteral("Real-Time Graph"));
    EXPECT_FALSE(window->IsRealTimeWindow());
    EXPECT_FALSE(window->tbntClrAction->isVisible());
    window->setWindowTitle(QStringLiteral("DataLogger"));
    EXPECT_FALSE(window->IsDataLoggerWindow());
    EXPECT_FALSE(window->pnlDataSets->isVisible());
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(fake.prompts.questions.isEmpty());
}

TEST_F(GraphWindowTest, ClearRestartsTheChart)
{
    auto role = std::make_unique<RecordingRole>();
    RecordingRole& told = *role;
    window->SetRole(std::move(role));
    window->setWindowTitle(QStringLiteral("Real-Time Graph (stopped)"));
    Fill({50, 60});
    window->PESGraph1->SetGraphAnnotation(5, {2, At(10, 0, 0), 55.0, QString(), 0xff000000u});
    window->Tools.LastAnnotation = 5;
    clock.clock.now = At(12, 0, 0);
    window->tbntClrClick();
    const ChartState& s = window->PESGraph1->State();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Real-Time Graph"));
    EXPECT_EQ(s.Points, 200);
    EXPECT_EQ(s.YData[0], 9999.0f);
    EXPECT_EQ(s.ManualMinX, At(12, 0, 0));
    EXPECT_NEAR(s.ManualMaxX, At(12, 0, 30), 1e-9);
    EXPECT_EQ(s.ManualMaxY, 130.0);
    EXPECT_EQ(s.GraphAnnotations[5].X, 0.0);
    EXPECT_EQ(window->Tools.LastAnnotation, 3);
    EXPECT_EQ(told.cleared, 1);
}

TEST_F(GraphWindowTest, AcceptedCustomizationSavesTheTemplateThatNewWindowsStartFrom)
{
    fake.prompts.onModal = [](QDialog& dialog) {
        dynamic_cast<TfrmCustomize&>(dialog).edtMainTitle->setText(QStringLiteral("Plant room"));
        return int(QDialog::Accepted);
    };
    fake.prompts.answers = {Prompts::Answer::Yes};
    window->Button1Click();
    EXPECT_EQ(fake.prompts.questions, QStringList{QStringLiteral("Do you want to save the changes ?")});
    ASSERT_TRUE(QFile::exists(TemplatePath()));

    TfrmGraph next;
    PrepareChart(*next.PESGraph1, 1, 120.0f, 20.0f, At(11, 0, 0), At(10, 0, 0), 50);
    const ChartState& s = next.PESGraph1->State();
    EXPECT_EQ(s.MainTitle, QStringLiteral("Plant room"));
    EXPECT_EQ(s.Points, 50);
    EXPECT_EQ(s.ManualMinY, 20.0);
    EXPECT_EQ(s.ManualMinX, At(10, 0, 0));
}

TEST_F(GraphWindowTest, RejectedCustomizationOrNoKeepsTheTemplateAway)
{
    fake.prompts.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    fake.prompts.answers = {Prompts::Answer::No};
    window->Button1Click();
    EXPECT_FALSE(QFile::exists(TemplatePath()));
    fake.prompts.onModal = [](QDialog&) { return int(QDialog::Rejected); };
    window->Button1Click();
    EXPECT_EQ(fake.prompts.questions.size(), 1);
}

TEST_F(GraphWindowTest, ATemplateFolderThatCannotBeMadeIsReported)
{
    QFile blocker(WritableFilesFolder() + QStringLiteral("template"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(SaveTemplate(*window->PESGraph1));
    EXPECT_EQ(fake.prompts.Errors(),
              QStringList{QStringLiteral("Cannot create ") + WritableFilesFolder() + QStringLiteral("template/ directory.")});
}

TEST_F(GraphWindowTest, PreparingWithoutTemplateGivesTheDefaultLook)
{
    Fill({1, 2});
    const ChartState& s = window->PESGraph1->State();
    EXPECT_EQ(s.XAxisLabel, QStringLiteral("Time"));
    EXPECT_EQ(s.SubsetLabels[0], QStringLiteral("dB"));
    EXPECT_EQ(s.YAxisColor, PEargb(255, 255, 0, 0));
    EXPECT_EQ(s.GridStyle, sgDot);
    EXPECT_EQ(s.AllowZooming, sgHorzPlusVertZooming);
    EXPECT_EQ(s.ManualScaleControlY, sgManualMinAndMax);
}

TEST_F(GraphWindowTest, ZoomEnablesUndoUntilItIsUsed)
{
    Fill({50, 60, 70, 80});
    window->PESGraph1ZoomIn();
    EXPECT_TRUE(window->UndoZoom->isEnabled());
    window->UndoZoomClick();
    EXPECT_FALSE(window->UndoZoom->isEnabled());
}

TEST_F(GraphWindowTest, ToolButtonsSetTheToolModeAndShowCursors)
{
    window->ToolButton5->click();
    EXPECT_EQ(window->Tools.ToolMode, PlaceCross);
    window->ToolButton9->click();
    EXPECT_EQ(window->Tools.ToolMode, PlaceText);
    EXPECT_EQ(window->PESGraph1->State().ArrowCursor, 2);
    EXPECT_FALSE(window->ToolButton5->isChecked());
    window->ToolButton4->click();
    EXPECT_EQ(window->Tools.ToolMode, NormalPointer);
    window->ToolButton2->click();
    EXPECT_FALSE(window->pnlStatistic->isVisible());
    EXPECT_FALSE(window->PESGraph1->State().ShowVertLineAnnotations);
    window->ToolButton1->click();
    EXPECT_FALSE(window->pnlGraphStatistic->isVisible());
}

TEST_F(GraphWindowTest, NoiseMetricsAndReportWaitForTheMainWindow)
{
    // Without the main window's services the buttons could only do nothing: they are disabled.
    EXPECT_FALSE(window->btnNoiseMetrics->isEnabled());
    EXPECT_FALSE(window->btnReport->isEnabled());
    EXPECT_EQ(window->btnReport->text(), QStringLiteral("Report (PDF)\u2026"));

    QStringList asked;
    GraphServices offered;
    offered.NoiseMetrics = [&](TfrmGraph& graph) { asked << "metrics of " + graph.Caption(); };
    offered.Report = [&](TfrmGraph& graph) { asked << "report of " + graph.Caption(); };
    TfrmGraph hooked(offered);
    hooked.setWindowTitle(QStringLiteral("a.ghf"));
    ASSERT_TRUE(hooked.btnNoiseMetrics->isEnabled());
    ASSERT_TRUE(hooked.btnReport->isEnabled());
    hooked.btnNoiseMetrics->click();
    hooked.btnReport->click();
    EXPECT_EQ(asked, QStringList({"metrics of a.ghf", "report of a.ghf"}));
}

TEST_F(GraphWindowTest, EverySeatingOfTheCursorsIsAnnounced)
{
    int moved = 0;
    QObject::connect(window.get(), &TfrmGraph::CursorsMoved, [&] { ++moved; });
    Fill({10, 80, 30, 80, 20, 90});
    EXPECT_GT(moved, 0) << "new points under the cursors";
    moved = 0;
    window->Slider1->SetValue1(4);
    window->Slider1->SetValue2(1);
    window->Slider1->SetValue2(1);
    EXPECT_EQ(moved, 2);
    moved = 0;
    Fill({42});  // one point: nothing shown, yet the cursors sit elsewhere
    EXPECT_GT(moved, 0);
}

}  // namespace

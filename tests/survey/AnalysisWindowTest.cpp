// The Analysis window of a graph: its tables are the survey analysis of the graph's levels
// outside the exclusions, they follow the graph, and they save as CSV whole or not at all.
#include "GraphWindowFixture.h"
#include "graph/ui/Tslider2.h"
#include "survey/SurveyMetrics.h"
#include "shell/ui/StringGrid.h"
#include "survey/ui/AnalysisTableView.h"
#include "survey/ui/TfrmAnalysis.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace {

class AnalysisWindowTest : public GraphWindowTest {
protected:
    AnalysisWindowTest()
    {
        // 10:07:00 on: 10 s at 50 dB, 5 s at 80 dB, 10 s at 50 dB.
        std::vector<float> levels(10, 50.0f);
        levels.insert(levels.end(), 5, 80.0f);
        levels.insert(levels.end(), 10, 50.0f);
        Fill(levels, At(10, 7, 0), Facts(1.0, Weighting::A));
        analysis = std::make_unique<TfrmAnalysis>(*window);
    }

    std::unique_ptr<TfrmAnalysis> analysis;
};

TEST_F(AnalysisWindowTest, PeriodsAreClockAlignedAndLeaveTheExclusionsOut)
{
    const StringGrid& grid = *analysis->PeriodsTable->Grid;
    ASSERT_EQ(grid.RowCount(), 2);  // one 15-minute period, 10:00-10:15
    EXPECT_EQ(grid.Cell(0, 0), QStringLiteral("Start"));
    EXPECT_EQ(grid.Cell(0, 1), QStringLiteral("2023-03-04 10:00:00"));
    EXPECT_EQ(grid.Cell(3, 1), QStringLiteral("25"));
    EXPECT_EQ(grid.Cell(4, 1), QStringLiteral("73.0"));  // 10 log10((20 x 10^5 + 5 x 10^8) / 25)
    EXPECT_EQ(grid.Cell(5, 1), QStringLiteral("80.0"));

    // The loud seconds excluded: the window follows at once.
    window->AddExclusion({At(10, 7, 10), At(10, 7, 15), QStringLiteral("car door")});
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.Cell(3, 1), QStringLiteral("20"));
    EXPECT_EQ(grid.Cell(4, 1), QStringLiteral("50.0"));

    analysis->cboPeriodLength->setCurrentIndex(analysis->cboPeriodLength->findData(1));
    EXPECT_EQ(window->GraphSurvey().analysis.periodMinutes, 1);
    EXPECT_EQ(grid.RowCount(), 2);  // 10:07:00-10:07:25 is in one minute
}

TEST_F(AnalysisWindowTest, ACalibrationOffsetMovesEveryLevelTheWindowsAnalyseButNotTheChart)
{
    EXPECT_TRUE(analysis->lblOffset->isHidden());
    SurveyDetails details;
    details.offsetDb = 0.5;
    window->SetSurveyDetails(details);
    QCoreApplication::processEvents();
    // The window says that its levels are not the graph's.
    EXPECT_FALSE(analysis->lblOffset->isHidden());
    EXPECT_TRUE(analysis->lblOffset->text().contains("+0.5 dB")) << analysis->lblOffset->text().toStdString();

    const StringGrid& grid = *analysis->PeriodsTable->Grid;
    EXPECT_EQ(grid.Cell(4, 1), QStringLiteral("73.5"));
    EXPECT_EQ(grid.Cell(5, 1), QStringLiteral("80.5"));
    const auto [cursorA, cursorB] = window->CursorPoints();
    const GraphMetrics metrics = SurveyMetrics(window->ShownRecording(), window->GraphSurvey(), cursorA, cursorB);
    ASSERT_TRUE(metrics.whole.lmax && metrics.whole.lmin);
    EXPECT_DOUBLE_EQ(*metrics.whole.lmax, 80.5);
    EXPECT_DOUBLE_EQ(*metrics.whole.lmin, 50.5);
    // The chart keeps the levels as measured.
    EXPECT_EQ(window->PESGraph1->YSubset(0)[10], 80.0f);
}

TEST_F(AnalysisWindowTest, AnEventClickedPutsTheCursorsOnItAndItIsMarkedWhileItsTabIsOpen)
{
    analysis->spnAbove->setValue(70.0);
    analysis->spnFor->setValue(3.0);
    ASSERT_EQ(analysis->EventsTable->Grid->RowCount(), 2);
    EXPECT_EQ(analysis->EventsTable->Grid->Cell(1, 1), QStringLiteral("2023-03-04 10:07:10"));
    EXPECT_EQ(analysis->EventsTable->Grid->Cell(3, 1), QStringLiteral("5.0"));
    EXPECT_TRUE(window->PESGraph1->ShadedSpans().empty());

    analysis->AnalysisTabs->setCurrentWidget(analysis->tabEvents);
    ASSERT_EQ(window->PESGraph1->ShadedSpans().size(), 1u);
    EXPECT_NEAR(window->PESGraph1->ShadedSpans()[0].from, At(10, 7, 10), 1e-9);
    EXPECT_NEAR(window->PESGraph1->ShadedSpans()[0].to, At(10, 7, 15), 1e-9);

    analysis->EventClicked(1);
    EXPECT_EQ(window->Slider1->Value1(), 10);
    EXPECT_EQ(window->Slider1->Value2(), 14);

    analysis->AnalysisTabs->setCurrentWidget(analysis->tabPeriods);
    EXPECT_TRUE(window->PESGraph1->ShadedSpans().empty());
    analysis->AnalysisTabs->setCurrentWidget(analysis->tabEvents);
    analysis.reset();  // closing the window takes its marks away
    EXPECT_TRUE(window->PESGraph1->ShadedSpans().empty());
}

TEST_F(AnalysisWindowTest, NewSamplesAreFollowed)
{
    PESGraph& chart = *window->PESGraph1;
    Fill(std::vector<float>(30, 60.0f), At(10, 14, 45));  // crosses into the 10:15 period
    window->txtDataNo->setText(QStringLiteral("30"));
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.Points(), 30);
    ASSERT_EQ(analysis->PeriodsTable->Grid->RowCount(), 3);
    EXPECT_EQ(analysis->PeriodsTable->Grid->Cell(0, 2), QStringLiteral("2023-03-04 10:15:00"));
}

TEST_F(AnalysisWindowTest, DayEveningNightBoundsAreEditedAndABadOneIsSaid)
{
    EXPECT_EQ(analysis->txtDay->text(), QStringLiteral("07-19"));
    ASSERT_EQ(analysis->DenTable->Grid->RowCount(), 2);
    EXPECT_EQ(analysis->DenTable->Grid->Cell(1, 1), QStringLiteral("73.0"));  // Lday

    analysis->txtDay->setText(QStringLiteral("11-19"));
    analysis->txtEvening->setText(QStringLiteral("19-23"));
    analysis->txtNight->setText(QStringLiteral("23-11"));
    emit analysis->txtNight->editingFinished();
    EXPECT_EQ(analysis->DenTable->Grid->Cell(3, 1), QStringLiteral("73.0"));  // now Lnight
    ASSERT_TRUE(window->GraphSurvey().analysis.den.has_value());
    EXPECT_EQ(window->GraphSurvey().analysis.den->night, (DaySpan{23 * 60, 11 * 60}));

    analysis->txtDay->setText(QStringLiteral("7-25"));
    emit analysis->txtDay->editingFinished();
    EXPECT_FALSE(analysis->lblDenProblem->isHidden());
    EXPECT_EQ(analysis->DenTable->Grid->RowCount(), 1);
    // The survey keeps the last bounds that were whole.
    EXPECT_EQ(window->GraphSurvey().analysis.den->day, (DaySpan{11 * 60, 19 * 60}));
}

TEST_F(AnalysisWindowTest, ExposureOfCWeightedLevelsSaysWhyItIsEmpty)
{
    EXPECT_FALSE(analysis->ExposureTable->Grid->Cell(0, 1).isEmpty());  // A-weighted: an LEX,8h
    Recording cWeighted = window->ShownRecording();
    cWeighted.weighting = Weighting::C;
    window->ShowRecording(std::move(cWeighted));
    analysis->Recompute();
    EXPECT_TRUE(analysis->ExposureTable->Grid->Cell(0, 1).isEmpty());
    EXPECT_FALSE(analysis->lblVerdict->text().isEmpty());
}

TEST_F(AnalysisWindowTest, SaveAsCsvWritesTheReportsCsvOrNamesTheFileItCouldNotWrite)
{
    const QString path = environment.Root() + QStringLiteral("/histogram.csv");
    fake.prompts.fileNames.push_back(path);
    ASSERT_TRUE(analysis->HistogramTable->btnSaveClick());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), TableCsv(analysis->HistogramTable->Table()));
    EXPECT_TRUE(TableCsv(analysis->HistogramTable->Table()).startsWith("class_low_db,class_high_db,time_pct,"
                                                                       "cumulative_pct\n50.0,51.0,80.0,100.0\n"));

    const QString nowhere = environment.Root() + QStringLiteral("/no such folder/periods.csv");
    fake.prompts.fileNames.push_back(nowhere);
    EXPECT_FALSE(analysis->PeriodsTable->btnSaveClick());
    ASSERT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_TRUE(fake.prompts.Errors()[0].contains(QStringLiteral("no such folder/periods.csv")));
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace

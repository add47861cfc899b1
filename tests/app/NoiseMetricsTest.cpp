#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"
#include "HexImage.h"
#include "leq/EmptyLevel.h"
#include "leq/ui/TfrmNoiseMetrics.h"
#include "MainWindowFixture.h"
#include "PdfReader.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"
#include "survey/ui/TfrmAnalysis.h"
#include "TestRecordings.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Graph windows in the main window, their Noise Metrics windows and their reports.
class NoiseMetricsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        clock.clock.now = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)));
        StartMainWindow();
    }

    // A graph as a graph file or a list makes one: levels `step` seconds apart, no recording.
    TfrmGraph& Graph(const QString& caption, const std::vector<float>& levels, double step)
    {
        auto* graph = new TfrmGraph(window->GraphWindowServices());
        graph->setWindowTitle(caption);
        graph->ShowInArea(window->MdiArea());
        const double start = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(9, 0)));
        const int n = static_cast<int>(levels.size());
        PrepareChart(*graph->PESGraph1, 1, 130.0f, 30.0f, start + n * step * OneSecond, start, n);
        graph->ShowRecording(LevelsFrom(start, step, levels));
        graph->RefreshStatistics();
        return *graph;
    }

    std::vector<TfrmNoiseMetrics*> MetricsWindows() const
    {
        std::vector<TfrmNoiseMetrics*> found;
        for (QMdiSubWindow* frame : window->MdiArea()->subWindowList())
            if (auto* metrics = qobject_cast<TfrmNoiseMetrics*>(frame->widget()))
                found.push_back(metrics);
        return found;
    }

    // "Noise Metrics" of a graph, and the window it made; none when it made none.
    TfrmNoiseMetrics* OpenMetrics(TfrmGraph& graph)
    {
        graph.btnNoiseMetrics->click();
        for (TfrmNoiseMetrics* metrics : MetricsWindows())
            if (metrics->Source() == &graph)
                return metrics;
        return nullptr;
    }

    // The figure of a measure: column 1 the whole graph, column 2 between A and B.
    static QString Figure(const TfrmNoiseMetrics& metrics, const char* measure, int column)
    {
        for (int row = 1; row < metrics.MetricsGrid->RowCount(); ++row)
            if (metrics.MetricsGrid->Cell(0, row) == QString::fromLatin1(measure))
                return metrics.MetricsGrid->Cell(column, row);
        ADD_FAILURE() << "no row " << measure;
        return {};
    }

    QString Document(const char* name) const { return env.DocumentsDir() + u'/' + QString::fromLatin1(name); }
};

}  // namespace

TEST_F(NoiseMetricsTest, TheWindowFollowsTheCursorsOfItsOwnGraph)
{
    // Six points at 50 dB, then three at 90 dB, half a second apart. The slider starts on
    // points 3 and 6: 50, 50, 50, 90.
    TfrmGraph& graph = Graph("street.ghf", {50, 50, 50, 50, 50, 50, 90, 90, 90}, 0.5);
    TfrmNoiseMetrics* opened = OpenMetrics(graph);
    ASSERT_NE(opened, nullptr);
    TfrmNoiseMetrics& metrics = *opened;
    EXPECT_EQ(metrics.lblGraph->text(), "street.ghf");
    EXPECT_EQ(metrics.lblInterval->text(), "Sample interval: 0.5 s (the mean spacing of the points' times)");
    struct Row { const char* measure; const char* whole; const char* between; } start[] = {
        {"Valid samples", "9", "4"},
        {"Duration T (s)", "4.5", "2.0"},
        {"Leq (dB)", "85.2", "84.0"},  // 10 log10((6 x 10^5 + 3 x 10^9) / 9); (3 x 10^5 + 10^9) / 4
        {"L10 (dB)", "90.0", "90.0"},
        {"L90 (dB)", "50.0", "50.0"},
        {"SEL (dB)", "91.8", "87.0"},  // + 10 log10(4.5); + 10 log10(2)
        {"Lden (dB)", "\u2013", "\u2013"},
    };
    for (const Row& row : start) {
        SCOPED_TRACE(row.measure);
        EXPECT_EQ(Figure(metrics, row.measure, 1), row.whole);
        EXPECT_EQ(Figure(metrics, row.measure, 2), row.between);
    }

    // A after B: the span is B..A all the same; the whole graph stays.
    graph.Slider1->SetValue1(8);
    graph.Slider1->SetValue2(6);
    EXPECT_EQ(Figure(metrics, "Valid samples", 2), "3");
    EXPECT_EQ(Figure(metrics, "Leq (dB)", 2), "90.0");
    EXPECT_EQ(Figure(metrics, "L90 (dB)", 2), "90.0");
    EXPECT_EQ(Figure(metrics, "Leq (dB)", 1), "85.2");
    EXPECT_TRUE(metrics.lblCursors->text().contains(DateTimeText(graph.PESGraph1->XDataII(0, 8))));

    // Another graph seats the program's cursors elsewhere; this window keeps its graph's.
    Graph("other.ghf", {70, 70}, 1.0);
    metrics.Recompute();
    EXPECT_EQ(Figure(metrics, "Leq (dB)", 2), "90.0");

    // The button brings the one window back rather than making a second.
    graph.btnNoiseMetrics->click();
    EXPECT_EQ(MetricsWindows().size(), 1u);

    metrics.btnCopy->click();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("Noise metrics\tWhole graph\tBetween A and B\n"
                                  "Sample interval: 0.5 s (the mean spacing of the points' times)\n"
                                  "Valid samples\t9\t3\n"))
        << copied.toStdString();
    EXPECT_TRUE(copied.contains("\nLeq (dB)\t85.2\t90.0\n"));
    EXPECT_TRUE(copied.endsWith("\nLden (dB)\t\t\n")) << "a figure not given is an empty cell";

    // It belongs to its graph and closes with it.
    QPointer<TfrmNoiseMetrics> owned = &metrics;
    graph.parentWidget()->close();
    FlushDeletes();  // the graph
    FlushDeletes();  // the window it closed on its way
    EXPECT_TRUE(owned.isNull());
}

// With an exclusion the window adds the figures without it beside the measured ones, and the
// graph's Analysis button opens one Analysis window beside the graph, which closes with it.
TEST_F(NoiseMetricsTest, ExclusionsAddColumnsAndAnalysisIsOneWindowPerGraph)
{
    TfrmGraph& graph = Graph("street.ghf", {50, 50, 50, 50, 50, 50, 90, 90, 90}, 0.5);
    graph.AddExclusion({graph.PESGraph1->XDataII(0, 6), graph.PESGraph1->XDataII(0, 8) + OneSecond,
                        QStringLiteral("bus")});
    TfrmNoiseMetrics* opened = OpenMetrics(graph);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(Figure(*opened, "Leq (dB)", 1), "85.2");  // as measured
    EXPECT_EQ(Figure(*opened, "Leq (dB)", 3), "50.0");  // the 90 dB points left out
    EXPECT_EQ(Figure(*opened, "Valid samples", 3), "6");

    // An offset moves every figure, and the window says so beside the graph's own levels.
    EXPECT_TRUE(opened->lblOffset->isHidden());
    SurveyDetails details;
    details.offsetDb = -1.0;
    graph.SetSurveyDetails(details);
    EXPECT_EQ(Figure(*opened, "Leq (dB)", 1), "84.2");
    EXPECT_FALSE(opened->lblOffset->isHidden());
    EXPECT_TRUE(opened->lblOffset->text().contains("offset of -1.0 dB")) << opened->lblOffset->text().toStdString();

    graph.btnAnalysis->click();
    graph.btnAnalysis->click();
    std::vector<TfrmAnalysis*> analyses;
    for (QMdiSubWindow* frame : window->MdiArea()->subWindowList())
        if (auto* analysis = qobject_cast<TfrmAnalysis*>(frame->widget()))
            analyses.push_back(analysis);
    ASSERT_EQ(analyses.size(), 1u);
    EXPECT_EQ(analyses[0]->Source(), &graph);
    QPointer<TfrmAnalysis> owned = analyses[0];
    prompts.prompts.answers = {Prompts::Answer::No};  // the exclusions stay unsaved
    graph.parentWidget()->close();
    FlushDeletes();
    FlushDeletes();
    EXPECT_TRUE(owned.isNull());
    EXPECT_EQ(prompts.prompts.questions.size(), 1);
}

TEST_F(NoiseMetricsTest, ADataSetGivesItsIntervalAndTheWindowFollowsTheShownSet)
{
    const QString collection = Document("golden.REC");
    const std::vector<std::uint8_t> image = ReadHexImage("memory_back_to_back.hex");
    QFile file(collection);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
    file.close();
    window->OpenFiles({collection});
    ASSERT_FALSE(window->DataLoggerGraph() == nullptr);
    TfrmGraph& logger = *window->DataLoggerGraph();

    TfrmNoiseMetrics* opened = OpenMetrics(logger);
    ASSERT_NE(opened, nullptr);
    TfrmNoiseMetrics& metrics = *opened;
    EXPECT_EQ(metrics.lblGraph->text(), "DataLogger \u2013 Data set 1");
    EXPECT_EQ(metrics.lblInterval->text(), "Sample interval: 1 s (the recording's interval)");
    EXPECT_EQ(Figure(metrics, "LAeq (dB)", 1), "71.1");  // 70, 72 and 71 dB, A-weighted
    EXPECT_NE(Figure(metrics, "LEX,8h (dB)", 1), "\u2013");
    EXPECT_TRUE(metrics.lblExposure->isHidden());

    emit logger.Grid2Clicked(2);  // 50, 49, 52 and 49 dB two seconds apart, C-weighted
    EXPECT_EQ(metrics.lblGraph->text(), "DataLogger \u2013 Data set 2");
    EXPECT_EQ(metrics.lblInterval->text(), "Sample interval: 2 s (the recording's interval)");
    EXPECT_EQ(Figure(metrics, "Valid samples", 1), "4");
    EXPECT_EQ(Figure(metrics, "Duration T (s)", 1), "8.0");
    EXPECT_EQ(Figure(metrics, "LCeq (dB)", 1), "50.2");
    EXPECT_EQ(Figure(metrics, "SEL (dB)", 1), "59.2");
    // Exposure needs A-weighted levels.
    EXPECT_EQ(Figure(metrics, "LEX,8h (dB)", 1), "\u2013");
    EXPECT_EQ(Figure(metrics, "Dose (%)", 2), "\u2013");
    EXPECT_FALSE(metrics.lblExposure->isHidden());
    EXPECT_EQ(metrics.lblExposure->text(),
              "LEX,8h and dose not given: the levels are C-weighted (dBC) and exposure needs A-weighted levels");

    emit logger.Grid2Clicked(4);  // 30 dB and a sample the meter stored as 0
    EXPECT_EQ(Figure(metrics, "Valid samples", 1), "1");
    EXPECT_EQ(Figure(metrics, "Outside 20-140 dB, left out", 1), "1");
    EXPECT_EQ(Figure(metrics, "Duration T (s)", 1), "60.0");
}

TEST_F(NoiseMetricsTest, CalLeqLeavesOutTheSamplesTheMetricsLeaveOut)
{
    // Twenty samples at 70 dB, each followed by one the meter stored as 0 (below its range).
    std::vector<float> levels;
    for (int i = 0; i < 20; ++i)
        levels.insert(levels.end(), {70.0f, 0.0f});
    TfrmGraph& graph = Graph("quiet.ghf", levels, 1.0);
    TfrmNoiseMetrics* metrics = OpenMetrics(graph);
    ASSERT_NE(metrics, nullptr);
    EXPECT_EQ(Figure(*metrics, "Leq (dB)", 1), "70.0");
    EXPECT_EQ(Figure(*metrics, "Outside 20-140 dB, left out", 1), "20");

    const auto before = window->MdiArea()->subWindowList();
    graph.bunCalLEQ->click();
    const auto after = window->MdiArea()->subWindowList();
    ASSERT_EQ(after.size(), before.size() + 1);
    auto* leq = qobject_cast<TfrmGraph*>(after.back()->widget());
    ASSERT_NE(leq, nullptr);
    EXPECT_EQ(OneDecimalText(leq->PESGraph1->YData(1, 38)), "70.0") << "the LEQ of the measured samples";
    EXPECT_EQ(leq->PESGraph1->YData(1, 39), EmptyLevel) << "no LEQ where the meter measured nothing";
}

TEST_F(NoiseMetricsTest, TheReportIsOnePageThatHoldsTheChartWithItsMarks)
{
    TfrmGraph& graph = Graph("street.ghf", {50, 50, 50, 50, 50, 50, 90, 90, 90}, 0.5);
    PESGraph& chart = *graph.PESGraph1;
    // Colours found nowhere else on the page: the curve green, a cross magenta.
    chart.State().SubsetColors = {PEargb(255, 0, 170, 0)};
    chart.SetGraphAnnotation(5, {2, chart.XDataII(0, 4), 100.0, QString(), PEargb(255, 230, 0, 230)});
    chart.Refresh();

    prompts.prompts.fileNames = {Document("street")};  // typed without its extension
    graph.btnReport->click();
    const QString pdf = Document("street.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(PdfPageCount(pdf), 1);

    const QImage page = RenderPdfPage(pdf, 1, 60);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(double(page.height()) / page.width(), 297.0 / 210.0, 0.01) << "A4 portrait";
    int curve = 0;
    int cross = 0;
    std::vector<int> blueInColumn(static_cast<std::size_t>(page.width()));
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            curve += c.green() > 110 && c.red() < 90 && c.blue() < 90;
            cross += c.red() > 170 && c.blue() > 170 && c.green() < 120;
            blueInColumn[static_cast<std::size_t>(x)] += c.blue() > 150 && c.red() < 90 && c.green() < 90;
        }
    EXPECT_GT(curve, 100) << "the curve";
    EXPECT_GT(cross, 5) << "the cross";
    // Cursor A: a blue line down the chart, a fifth of the page high at least.
    EXPECT_GT(*std::max_element(blueInColumn.begin(), blueInColumn.end()), page.height() / 5);
}

TEST_F(NoiseMetricsTest, AReportThatCannotBeWrittenNamesTheFileAndLeavesNone)
{
    TfrmGraph& graph = Graph("street.ghf", {50, 60}, 1.0);
    const QString pdf = Document("missing/street.pdf");
    prompts.prompts.fileNames = {pdf};
    graph.btnReport->click();
    const QStringList errors = prompts.prompts.TakeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(pdf))) << errors[0].toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QDir(Document("missing")).exists());

    // Cancelled: nothing is written and nothing is said.
    prompts.prompts.fileNames = {QString()};
    graph.btnReport->click();
    EXPECT_TRUE(prompts.prompts.Errors().isEmpty());
}

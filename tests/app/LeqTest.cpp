#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/RunningLeq.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/LinkSession.h"
#include "link/SimulatedMeter.h"
#include "MainWindowFixture.h"
#include "PdfReader.h"
#include "print/ui/SharedPrinter.h"
#include "shell/Folders.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"
#include "TestRecordings.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

// The LEQ window against the simulated meter; the test clock moves a quarter of a second per
// poll, so each second of the meter's clock gets four readings.
class LeqTest : public ConnectedMainWindowFixture {
protected:
    void SetUp() override
    {
        clock.clock.now = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)));
        ASSERT_NO_FATAL_FAILURE(StartConnected());
        window->LEQ1->trigger();
        ASSERT_FALSE(window->LeqWindow() == nullptr);
    }

    TfrmLEQ& Leq() { return *window->LeqWindow(); }
    void Start(int item)
    {
        Leq().cmbTimeSelect->setCurrentIndex(item);
        Leq().btnLEQ->click();
    }
    // Polls until the measurement ends by itself, or at most `polls` times.
    void Poll(int polls, double secondsEach = 0.25)
    {
        for (int i = 0; i < polls && Leq().Measuring(); ++i) {
            clock.clock.now += secondsEach * OneSecond;
            window->LEQTimerTimer();
        }
    }
    QString Cell(int column, int row) { return Leq().LEQGrid->Cell(column, row); }
    // A steady sound, long enough for the meter's FAST reading to have settled on it.
    void Settle(double db)
    {
        meter.HoldLevel(db);
        clock.clock.now += 3 * OneSecond;
        meter.Advance();
    }
    QList<QByteArray> LogLines()
    {
        QFile log(WritableFilesFolder() + "temp/LEQ.txt");
        return log.open(QIODevice::ReadOnly) ? log.readAll().split('\n') : QList<QByteArray>();
    }
};

}  // namespace

TEST_F(LeqTest, TenSecondsGiveTenRowsThenTheLinkIsFreeAgain)
{
    EXPECT_EQ(Leq().cmbTimeSelect->currentText(), "10 sec");
    Settle(75.0);
    Start(0);
    EXPECT_TRUE(Link().Busy());
    EXPECT_FALSE(window->MainTimer()->isActive()) << "the monitor rests while LEQ polls";
    EXPECT_TRUE(window->LEQTimer()->isActive());
    EXPECT_EQ(window->LEQTimer()->interval(), 40);
    EXPECT_FALSE(window->LoadData1->isEnabled());
    Poll(200);
    EXPECT_FALSE(Leq().Measuring());
    EXPECT_EQ(Leq().LEQGrid->RowCount() - 1, 10);
    EXPECT_EQ(Leq().edtTimeLeft->text(), "0:0:0");
    EXPECT_EQ(Cell(3, 5), "75.0");
    EXPECT_EQ(Cell(4, 10), "75.0");
    EXPECT_EQ(Leq().edtLEQValue->text(), "75.0");
    EXPECT_FALSE(Link().Busy());
    EXPECT_TRUE(window->MainTimer()->isActive());
    EXPECT_FALSE(window->LEQTimer()->isActive());
    EXPECT_TRUE(window->LoadData1->isEnabled());

    const QList<QByteArray> lines = LogLines();
    EXPECT_GE(lines.size(), 40) << "one line per reading";
    EXPECT_EQ(lines.front(), "2:05:10 PM\t75.0\r");
}

// The grid holds no texts: it shows the window's rows, made into cells as they are shown or
// copied for a save or a printout; a new Start empties it.
TEST_F(LeqTest, TheTableShowsTheWindowsRowsAndANewStartEmptiesIt)
{
    Settle(75.0);
    Start(0);
    Poll(200);
    ASSERT_EQ(Leq().Rows().size(), 10u);
    const QAbstractItemModel& model = *Leq().LEQGrid->model();
    EXPECT_EQ(model.rowCount(), 10);
    EXPECT_EQ(model.columnCount(), 5);
    const std::vector<QStringList> copied = Leq().LEQGrid->Rows();
    ASSERT_EQ(copied.size(), 11u);
    EXPECT_EQ(copied[0], (QStringList{"No", "Date", "TIME", "SPL", "Leq"}));
    for (int row = 1; row <= 10; ++row) {
        const std::array<QString, 5> cells = LeqRowCells(Leq().Rows()[static_cast<std::size_t>(row - 1)], row);
        EXPECT_EQ(copied[static_cast<std::size_t>(row)], QStringList(cells.begin(), cells.end())) << "row " << row;
        EXPECT_EQ(model.data(model.index(row - 1, 2)).toString(), cells[2]);
    }
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "Leq");

    Start(0);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(Leq().LEQGrid->RowCount(), 1);
    EXPECT_EQ(Cell(1, 0), "Date");
    Poll(8);
    EXPECT_EQ(model.rowCount(), static_cast<int>(Leq().Rows().size()));
    Leq().Button1->click();
}

TEST_F(LeqTest, TheLeqFoldsOneMeanPerSecond)
{
    Settle(70.0);
    Start(1);
    Poll(6);  // the opening reading, then a whole second at 70 dB
    meter.HoldLevel(80.0);
    Poll(12);
    Leq().Button1->click();
    const int rows = Leq().LEQGrid->RowCount() - 1;
    ASSERT_GE(rows, 3);
    EXPECT_EQ(Cell(3, 1), "70.0");
    EXPECT_EQ(Cell(4, 1), "70.0");
    EXPECT_EQ(Cell(3, rows), "80.0");
    // Each Leq folds the seconds' means shown so far, with equal weights.
    float leq = 0.0f;
    for (int row = 1; row <= rows; ++row) {
        leq = RunningLeq(row, leq, Leq().Rows()[static_cast<std::size_t>(row - 1)].spl);
        EXPECT_EQ(Cell(4, row), OneDecimalText(leq)) << "row " << row;
    }
    EXPECT_FALSE(Link().Busy());
    EXPECT_EQ(Leq().Rows().size(), static_cast<std::size_t>(Leq().LEQGrid->RowCount() - 1))
        << "Stop keeps the table";
}

TEST_F(LeqTest, SecondsWithoutReadingsAreGapsInTheTableTheFileAndTheGraph)
{
    Settle(72.0);
    Start(0);
    Poll(3, 0.25);
    Poll(2, 1.0);   // a slow link: one reading a second opens each second and leaves it empty
    Poll(12, 0.25);
    Leq().Button1->click();
    const int rows = Leq().LEQGrid->RowCount() - 1;
    ASSERT_GE(rows, 3);
    int gaps = 0;
    for (int row = 1; row <= rows; ++row)
        gaps += Cell(3, row).isEmpty();
    EXPECT_GE(gaps, 1);

    prompts.prompts.fileNames = {env.DocumentsDir() + "/leq"};
    EXPECT_TRUE(Leq().Button2Click());
    QFile saved(env.DocumentsDir() + "/leq.txt");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    EXPECT_EQ(lines.size() - 1, rows);
    EXPECT_TRUE(lines[0].endsWith("\t72.0\t72.0\t\r"));
    int tabOnly = 0;
    for (const QByteArray& line : lines)
        tabOnly += line.endsWith("\t\t\t\r");
    EXPECT_EQ(tabOnly, gaps) << "a row without readings: date TAB time TAB TAB TAB";

    Leq().Button3->click();
    TfrmGraph* graph = nullptr;
    for (QMdiSubWindow* sub : window->MdiArea()->subWindowList())
        if (auto* g = qobject_cast<TfrmGraph*>(sub->widget()); g && g->Caption() == "Leq")
            graph = g;
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->PESGraph1->Subsets(), 2);
    EXPECT_EQ(graph->PESGraph1->Points(), rows);
    EXPECT_FALSE(graph->bunCalLEQ->isEnabled());
    EXPECT_EQ(graph->txtSamplingRate->currentText(), "1");
    QPointer<TfrmGraph> owned = graph;
    window->LeqWindow()->parentWidget()->close();
    FlushDeletes();
    QCoreApplication::processEvents();
    FlushDeletes();
    EXPECT_TRUE(owned.isNull()) << "the LEQ graph closes with its window";
}

TEST_F(LeqTest, AMeasurementThatFailsKeepsItsRowsAndSaysWhy)
{
    Settle(66.0);
    Start(6);
    Poll(12);
    const int rows = Leq().LEQGrid->RowCount() - 1;
    ASSERT_GE(rows, 2);
    meter.CloseDevice();  // unplugged: every read fails from now on
    meter.RefuseOpen();
    Poll(50);
    EXPECT_TRUE(Leq().Measuring()) << "fifty failures are borne";
    Poll(1);
    EXPECT_FALSE(Leq().Measuring());
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"LEQ fail , try to start again !!"}));
    EXPECT_EQ(Leq().LEQGrid->RowCount() - 1, rows);
    EXPECT_TRUE(window->MainTimer()->isActive());
}

TEST_F(LeqTest, AClockThatIsNoBcdTakesTheComputersTime)
{
    Settle(60.0);
    meter.AnswerNonBcdClock();
    Start(0);
    Poll(1, 0.0);
    Leq().Button1->click();
    ASSERT_FALSE(LogLines().isEmpty());
    EXPECT_EQ(LogLines().front(), (TimeText(clock.clock.now) + "\t60.0\r").toUtf8());
}

TEST_F(LeqTest, OpeningWhileTheMeterRecordsIsRefused)
{
    window->LeqWindow()->parentWidget()->close();
    FlushDeletes();
    StartRecording();
    window->LEQ1->trigger();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"The meter is recording data, please stop recording first ."}));
    EXPECT_TRUE(window->LeqWindow() == nullptr);
}

TEST_F(LeqTest, CalLeqGivesTheRunningLeqOfAGraph)
{
    auto* source = new TfrmGraph(window->GraphWindowServices());
    source->setWindowTitle("source.ghf");
    source->ShowInArea(window->MdiArea());
    const double t = clock.clock.now;
    PrepareChart(*source->PESGraph1, 1, 130.0f, 30.0f, t + 2 * OneSecond, t, 2);
    source->ShowRecording(LevelsFrom(t, 1.0, {80.0f, 90.0f}));
    source->RefreshStatistics();
    source->bunCalLEQ->click();
    TfrmGraph* leq = nullptr;
    for (QMdiSubWindow* sub : window->MdiArea()->subWindowList())
        if (auto* g = qobject_cast<TfrmGraph*>(sub->widget()); g && g != source)
            leq = g;
    ASSERT_NE(leq, nullptr);
    EXPECT_EQ(leq->Caption(), "source.ghf \u2014 CAL Leq") << "the Window menu tells it from its source";
    EXPECT_FLOAT_EQ(leq->PESGraph1->YData(1, 0), 80.0f);
    EXPECT_EQ(OneDecimalText(leq->PESGraph1->YData(1, 1)), "87.4");
    EXPECT_FALSE(leq->bunCalLEQ->isEnabled());
    // The levels fill the chart rather than a band of the meter's 30-130 dB.
    EXPECT_EQ(leq->PESGraph1->State().ManualMinY, 80.0);
    EXPECT_EQ(leq->PESGraph1->State().ManualMaxY, 100.0);
}

TEST_F(LeqTest, ASaveThatCannotBeWrittenNamesTheFile)
{
    Settle(70.0);
    Start(0);
    Poll(8);
    Leq().Button1->click();
    prompts.prompts.fileNames = {env.DocumentsDir() + "/missing/leq.txt"};
    EXPECT_FALSE(Leq().Button2Click());
    const QStringList errors = prompts.prompts.TakeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("missing")) << errors[0].toStdString();
}

// File > Print of the table: every column that holds data, each apart from the next, at the
// same line pitch however many graphs were printed before it.
TEST_F(LeqTest, TheTablePrintoutHoldsEveryColumnAtOnePitchWhateverWasPrintedBefore)
{
    Settle(72.0);
    Start(0);
    Poll(200);
    ASSERT_EQ(Leq().LEQGrid->RowCount() - 1, 10);
    Leq().Button3->click();
    auto* graphFrame = window->MdiArea()->subWindowList().back();
    ASSERT_TRUE(qobject_cast<TfrmGraph*>(graphFrame->widget()));
    auto* leqFrame = qobject_cast<QMdiSubWindow*>(Leq().parentWidget());

    const QString pdf = env.DocumentsDir() + "/printout.pdf";
    SharedPrinter().setOutputFormat(QPrinter::PdfFormat);
    SharedPrinter().setOutputFileName(pdf);
    const auto print = [&](QMdiSubWindow* frame) {
        window->MdiArea()->setActiveSubWindow(frame);
        prompts.prompts.printAnswers = {true};
        prompts.prompts.onModal = [](QDialog&) { return int(QDialog::Rejected); };  // the graph's page dialog, closed
        window->btnPrintClick();
        EXPECT_TRUE(prompts.prompts.printAnswers.empty());
    };
    // The printed lines of page 1, each as its words and the top of its first word.
    const auto lines = [&] {
        std::map<double, QStringList> byTop;
        for (const PdfWord& word : PdfWords(pdf, 1))
            byTop[word.top] << word.text;
        return byTop;
    };

    std::vector<double> pitches;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        print(leqFrame);
        const std::map<double, QStringList> printed = lines();
        ASSERT_EQ(printed.size(), 11u) << "the heading and ten rows";
        EXPECT_EQ(printed.begin()->second.join(' '), "No Date TIME SPL Leq");
        QStringList firstRow;
        for (int column = 0; column < 5; ++column)
            firstRow << Cell(column, 1);
        EXPECT_EQ(std::next(printed.begin())->second.join(' '), firstRow.join(' '))
            << "every cell, the date apart from the time";
        pitches.push_back(std::next(printed.begin())->first - printed.begin()->first);
        print(graphFrame);
    }
    SharedPrinter().setOutputFileName(QString());
    EXPECT_GT(pitches[0], 10.0) << "a 10 pt font";
    EXPECT_DOUBLE_EQ(pitches[1], pitches[0]);
    EXPECT_DOUBLE_EQ(pitches[2], pitches[0]);
}

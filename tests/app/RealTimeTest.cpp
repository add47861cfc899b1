#include "FakeTransport.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"
#include "link/LinkSession.h"
#include "MainWindowFixture.h"
#include "realtime/ui/TfrmSetupRealTime.h"
#include "shell/Formats.h"
#include "shell/Settings.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include <gtest/gtest.h>

namespace {

// Real-time runs driven by hand: the test clock moves one second per tick, and the
// dialog is answered by the fake prompts.
class RealTimeTest : public MainWindowFixture {
protected:
    ScopedFakeTransport meter;
    QString periodShown;

    void SetUp() override
    {
        clock.clock.now = 45000.5;  // 12:00:00.000, already on a whole second
        StartMainWindow();
        meter.usb.replies.push_back(FakeTransport::StatusReply("574"));
        window->MainTimerTimer();
        ASSERT_TRUE(window->Monitor().Connected());
        MeterShows(80.0f);
    }

    TfrmGraph& Graph() { return *window->RealTimeGraph(); }
    // The meter displays this level (dB) in the status the monitor polls now.
    void MeterShows(float level)
    {
        FakeTransport::Reply status = FakeTransport::StatusReply();
        const int tenths = static_cast<int>(level * 10.0f + 0.5f);
        status[5] = static_cast<std::uint8_t>(tenths >> 8);
        status[6] = static_cast<std::uint8_t>(tenths);
        status[30] = static_cast<std::uint8_t>(Link().CommandSeq() + 1);
        meter.usb.replies.push_back(status);
        window->MainTimerTimer();
        ASSERT_FLOAT_EQ(window->Monitor().LiveLevel(), level);
    }
    // Presses Run and answers the setup dialog with these texts (nullptr: Cancel).
    void Run(const char* count, const char* rate)
    {
        prompts.prompts.onModal = [this, count, rate](QDialog& dialog) {
            auto& setup = dynamic_cast<TfrmSetupRealTime&>(dialog);
            periodShown = setup.edtPeriod()->text();
            if (!count)
                return int(QDialog::Rejected);
            setup.edtRealTimeNo()->setText(count);
            setup.txtRate()->setEditText(rate);
            return int(QDialog::Accepted);
        };
        window->btnRunClick();
    }
    void Tick()
    {
        clock.clock.now += OneSecond;
        window->RealTime_TimerTimer();
    }
    bool Enabled(const char* name) { return Button(name)->isEnabled(); }
};

}  // namespace

TEST_F(RealTimeTest, RunOpensTheSetupWithThePeriodOf2000SamplesAndStarts)
{
    window->Run().Rate = 0.2f;
    Run("2000", "0.2");
    EXPECT_EQ(periodShown, "0:6:40");
    EXPECT_TRUE(window->Run().Running);
    EXPECT_TRUE(window->RealTime_Timer()->isActive());
    EXPECT_FALSE(Enabled("btnRun"));
    EXPECT_TRUE(Enabled("btnStop"));
    EXPECT_FALSE(Graph().tbntClr->isEnabled());
    EXPECT_EQ(Graph().PESGraph1->Points(), 2000);
    EXPECT_EQ(window->Run().Count, 1) << "the first sample falls at the start";
    EXPECT_EQ(Graph().txtStartTime->text(), DateTimeText(45000.5));
    EXPECT_EQ(Graph().txtSamplingRate->currentText(), "1.0");
}

// The start waits for the next whole second by sleeping towards it; a clock that does not
// move ends the wait after 1.1 s of the tick count.
TEST_F(RealTimeTest, TheStartSleepsUntilTheNextWholeSecond)
{
    clock.clock.now = 45000.5 + 0.4 * OneSecond;  // 12:00:00.400
    clock.clock.nowStep = 0.02 * OneSecond;
    const int sleepsBefore = clock.clock.sleeps;
    Run("10", "1");
    EXPECT_EQ(Graph().txtStartTime->text(), DateTimeText(45000.5 + OneSecond));
    EXPECT_NEAR(Graph().PESGraph1->XDataII(0, 0), 45000.5 + OneSecond, 0.021 * OneSecond);
    EXPECT_GT(clock.clock.sleeps - sleepsBefore, 0);
}

TEST_F(RealTimeTest, AStuckClockEndsTheStartsWaitAfterItsBound)
{
    clock.clock.now = 45000.5 + 0.4 * OneSecond;
    const std::uint32_t tickBefore = clock.clock.tick;
    const int readsBefore = clock.clock.tickReads;
    Run("10", "1");
    EXPECT_EQ(window->Run().Count, 1);
    EXPECT_GE(clock.clock.tick - tickBefore, 1100u);
    EXPECT_LE(clock.clock.tickReads - readsBefore, static_cast<int>(1100 / SleepStepMs) + 5) << "no spinning";
}

TEST_F(RealTimeTest, RateOfHalfASecondSamplesOnceASecond)
{
    Run("10", "0.5");
    EXPECT_FLOAT_EQ(window->Run().Rate, 0.5f);
    EXPECT_EQ(Graph().txtSamplingRate->currentText(), "1.0");
    for (int i = 0; i < 4; ++i)
        Tick();
    EXPECT_EQ(window->Run().Count, 5);
    EXPECT_NEAR(Graph().PESGraph1->XDataII(0, 4) - Graph().PESGraph1->XDataII(0, 0), 4 * OneSecond, 1e-9);
}

TEST_F(RealTimeTest, FractionalRateSamplesEveryWholeRateRoundedUp)
{
    Run("10", "2.5");
    for (int i = 0; i < 6; ++i)
        Tick();
    EXPECT_EQ(window->Run().Count, 3) << "samples at 0, 3 and 6 seconds";
}

TEST_F(RealTimeTest, ACountOfThreeStopsByItselfAndFramesTheSlider)
{
    Run("3", "1");
    Tick();
    EXPECT_TRUE(window->Run().Running);
    Tick();
    EXPECT_FALSE(window->Run().Running);
    EXPECT_FALSE(window->RealTime_Timer()->isActive());
    EXPECT_EQ(Graph().txtDataNo->text(), "3");
    EXPECT_EQ(Graph().Slider1->Maximum(), 2);
    EXPECT_EQ(Graph().Slider1->Value1(), 1);
    EXPECT_EQ(Graph().Slider1->Value2(), 2);
    EXPECT_EQ(Graph().txtAvgAll->text(), "80.0");
    EXPECT_TRUE(Enabled("btnRun"));
    EXPECT_FALSE(Enabled("btnStop"));
    EXPECT_TRUE(Graph().tbntClr->isEnabled());
}

TEST_F(RealTimeTest, ImplausibleLevelsFallBackToTheLastGoodOne)
{
    MeterShows(15.0f);
    Run("100", "1");
    EXPECT_EQ(window->Run().Count, 0) << "15 dB with no good level before: no sample";
    MeterShows(80.0f);
    Tick();
    MeterShows(150.0f);
    Tick();
    EXPECT_EQ(window->Run().Count, 2);
    EXPECT_FLOAT_EQ(Graph().PESGraph1->YData(0, 1), 80.0f);
    EXPECT_EQ(Graph().txtMax->text(), "80.0");
}

TEST_F(RealTimeTest, EqualMaximaKeepTheFirstTime)
{
    MeterShows(90.0f);
    Run("100", "1");
    Tick();
    MeterShows(70.0f);
    Tick();
    EXPECT_EQ(Graph().txtMax->text(), "90.0");
    EXPECT_EQ(Graph().txtMaxTime->text(), DateTimeText(45000.5));
    EXPECT_EQ(Graph().txtMin->text(), "70.0");
    EXPECT_EQ(Graph().txtMinTime->text(), DateTimeText(45000.5 + 2 * OneSecond));
}

TEST_F(RealTimeTest, StopTrimsTheChartAndEndsTheAxisAtTheStop)
{
    MeterShows(60.0f);
    Run("2000", "1");
    for (int i = 1; i < 10; ++i) {
        MeterShows(60.0f + static_cast<float>(i));
        Tick();
    }
    const double lastTime = Graph().PESGraph1->XDataII(0, 9);
    clock.clock.now += 0.5 * OneSecond;
    window->btnStopClick();
    const PESGraph& chart = *Graph().PESGraph1;
    EXPECT_EQ(chart.Points(), 10);
    EXPECT_DOUBLE_EQ(chart.XDataII(0, 9), lastTime);
    EXPECT_FLOAT_EQ(chart.YData(0, 9), 69.0f);
    EXPECT_DOUBLE_EQ(chart.State().ManualMaxX, clock.clock.now);
    EXPECT_EQ(Graph().txtAvgAll->text(), "64.5");
}

TEST_F(RealTimeTest, StopsWithoutSamplesAndACountOfZeroStoreNothing)
{
    MeterShows(10.0f);
    Run("50", "1");
    window->btnStopClick();
    EXPECT_EQ(Graph().PESGraph1->Points(), 0);
    EXPECT_EQ(Graph().txtAvgAll->text(), "0.0");

    MeterShows(80.0f);
    Run("0", "1");  // nothing stored, so no question about saving
    EXPECT_EQ(window->Run().Count, 0);
    Tick();
    EXPECT_FALSE(window->Run().Running) << "the first tick finds the chart full";
    EXPECT_EQ(Graph().PESGraph1->Points(), 0);
    EXPECT_EQ(Graph().txtAvgAll->text(), "0.0");
}

TEST_F(RealTimeTest, CancelAtTheQuestionKeepsGraphCountAndRate)
{
    Run("100", "2");
    Tick();
    Tick();
    window->btnStopClick();
    prompts.prompts.answers = {Prompts::Answer::Cancel};
    prompts.prompts.onModal = nullptr;
    window->btnRunClick();
    EXPECT_EQ(prompts.prompts.questions.last(),
              "There are datas in Real_Time graph ,it have to reset the graph.\n"
              "Do you want to save the Real-Time graph ?");
    EXPECT_EQ(prompts.prompts.modalRuns, 1) << "no second setup dialog";
    EXPECT_EQ(window->Run().Count, 2);
    EXPECT_EQ(Graph().PESGraph1->Points(), 2);
    EXPECT_FLOAT_EQ(window->Run().Rate, 2.0f);
}

TEST_F(RealTimeTest, BadSetupTextsStartNoRun)
{
    window->Run().Rate = 0.2f;
    Run("", "1");
    EXPECT_EQ(prompts.prompts.Messages(), QStringList({" is not valid.\n"}));
    Run("10", "fast");
    EXPECT_EQ(prompts.prompts.Errors().last(), "'fast' is not a valid floating point value");
    EXPECT_FALSE(window->Run().Running);
    EXPECT_FLOAT_EQ(window->Run().Rate, 0.2f);
    Run(nullptr, nullptr);
    EXPECT_FALSE(window->Run().Running);

    // Numbers that are no sampling rate never reach the run (nor a float conversion).
    for (const char* rate : {"1e300", "0", "-2", "100000"}) {
        Run("10", rate);
        EXPECT_EQ(prompts.prompts.TakeErrors().last().toStdString(),
                  InvalidRateMessage(QString::fromLatin1(rate)).toStdString());
        EXPECT_FALSE(window->Run().Running);
        EXPECT_FLOAT_EQ(window->Run().Rate, 0.2f);
    }
}

TEST_F(RealTimeTest, ASavedSlowRateShowsInTheBoxAndRunStartsWithIt)
{
    window.reset();
    SaveSettings({45.0f, true});  // as a run of last week left it
    StartMainWindow();
    meter.usb.replies.push_back(FakeTransport::StatusReply("574"));
    window->MainTimerTimer();
    ASSERT_FLOAT_EQ(window->Run().Rate, 45.0f);
    EXPECT_EQ(Graph().txtSamplingRate->currentText(), "45.0");
    Run("10", "45.0");
    EXPECT_TRUE(window->Run().Running);
    EXPECT_FLOAT_EQ(window->Run().Rate, 45.0f);
}

TEST_F(RealTimeTest, ClosingTheGraphDuringARunThenReopeningIt)
{
    Run("2000", "1");
    window->Run().Unsaved = false;
    Graph().parentWidget()->close();
    FlushDeletes();
    EXPECT_TRUE(window->RealTimeGraph() == nullptr);
    EXPECT_FALSE(window->Run().Running);
    EXPECT_EQ(window->Run().Count, 0);
    EXPECT_TRUE(Enabled("btnRun"));
    EXPECT_FALSE(Enabled("btnStop"));
    EXPECT_FALSE(window->findChild<QAction*>("RealTimeGraph1")->isChecked());
    EXPECT_FALSE(window->RealTime_Timer()->isActive()) << "closing the window ends the run";

    window->findChild<QAction*>("RealTimeGraph1")->trigger();
    ASSERT_FALSE(window->RealTimeGraph() == nullptr);
    EXPECT_EQ(Graph().PESGraph1->Points(), 500);
    Tick();
    EXPECT_EQ(window->Run().Count, 0) << "no run whose Stop is disabled fills the new window";
    EXPECT_TRUE(Enabled("btnRun"));
}

TEST_F(RealTimeTest, ReconnectingDuringARunDisablesClear)
{
    Run("100", "1");
    for (int i = 0; i < 5; ++i)
        window->MainTimerTimer();  // no replies queued: five failed polls
    EXPECT_FALSE(window->Monitor().Connected());
    EXPECT_FALSE(Enabled("btnStop"));
    Tick();
    EXPECT_EQ(window->Run().Count, 2) << "the run goes on with the last level";
    meter.usb.replies.push_back(FakeTransport::StatusReply("574"));
    window->MainTimerTimer();
    EXPECT_FALSE(Enabled("btnRun"));
    EXPECT_TRUE(Enabled("btnStop"));
    EXPECT_FALSE(Graph().tbntClr->isEnabled());
}

TEST_F(RealTimeTest, LeavingWithUnsavedSamplesAsksAndCancelKeepsEverything)
{
    Run("100", "1");
    Tick();
    window->btnStopClick();
    for (const bool byExit : {false, true}) {
        SCOPED_TRACE(byExit ? "File > Exit" : "closing the frame");
        prompts.prompts.answers = {Prompts::Answer::Cancel};
        if (byExit)
            window->Exit1Click();
        else
            EXPECT_FALSE(window->close());
        EXPECT_EQ(prompts.prompts.questions.last(), "Save Real-Time Graph ?");
        ASSERT_FALSE(window->RealTimeGraph() == nullptr);
        EXPECT_EQ(window->Run().Count, 2);
        EXPECT_FALSE(window->Panel() == nullptr);
    }
}

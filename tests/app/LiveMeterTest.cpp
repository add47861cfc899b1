#include "link/SimulatedMeter.h"
#include "MainWindowFixture.h"
#include "panel/ui/TfrmPanel.h"
#include "shell/Formats.h"
#include "UserInput.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <memory>

#include <gtest/gtest.h>

namespace {

// The whole program against the simulated meter: the monitor's ticks and the panel's keys.
class LiveMeterTest : public ConnectedMainWindowFixture {
protected:
    void SetUp() override
    {
        clock.clock.now = 45000.5 + 7 * OneSecond;  // 12:00:07, so the clock is drawn
        clock.clock.nowStep = 0.01 * OneSecond;
        ASSERT_NO_FATAL_FAILURE(StartConnected());
    }

    QLabel* Control(const char* name) { return window->Panel()->findChild<QLabel*>(name); }
    bool Shown(const char* name) { return !Control(name)->isHidden(); }
    void Press(const char* key)
    {
        QTest::mouseClick(Control(key), Qt::LeftButton);
        window->MainTimerTimer();
    }
};

}  // namespace

TEST_F(LiveMeterTest, PanelMirrorsTheMeter)
{
    EXPECT_TRUE(window->Monitor().Connected());
    EXPECT_EQ(window->StatusText(1), "On Connection");
    EXPECT_FALSE(Shown("lblNoConnection"));
    EXPECT_EQ(Shown("lblFAST"), meter.Fast());
    EXPECT_EQ(Shown("lbldBA"), meter.AWeighting());
    EXPECT_NEAR(window->Monitor().LiveLevel(), meter.LevelTenths() / 10.0, 3.0);
    EXPECT_GE(window->Monitor().LiveLevel(), 20.0f);
    EXPECT_LE(window->Monitor().LiveLevel(), 140.0f);
    EXPECT_NE(window->Panel()->ClockDigitSlot(2), -1) << "the clock is drawn";
}

TEST_F(LiveMeterTest, EveryKeyChangesTheModeTheNextPollShows)
{
    const bool fast = Shown("lblFAST");
    Press("btnFast");
    EXPECT_EQ(Shown("lblFAST"), !fast);
    EXPECT_EQ(Shown("lblSLOW"), fast);

    const bool aWeighted = Shown("lbldBA");
    Press("btnAC");
    EXPECT_EQ(Shown("lbldBA"), !aWeighted);

    const QString low = Control("lblRangeLow")->text() + Control("lblRangeHigh")->text();
    Press("btnLevel");
    EXPECT_NE(Control("lblRangeLow")->text() + Control("lblRangeHigh")->text(), low);

    Press("btnMaxMin");
    EXPECT_TRUE(meter.MaxMinOn());
    EXPECT_TRUE(Shown("lblMAX"));
    EXPECT_FALSE(Shown("lblMIN"));
    Press("btnMaxMin");
    EXPECT_FALSE(Shown("lblMAX"));
    EXPECT_TRUE(Shown("lblMIN"));
    Press("btnMaxMin");
    EXPECT_TRUE(window->MaxMinTimer()->isActive()) << "alternating blinks";
    Press("btnMaxMin");  // a fourth press goes round to MAX again
    EXPECT_TRUE(Shown("lblMAX"));

    // A double click: 'M' then 'N' cancels the mode.
    DoubleClick(Control("btnMaxMin"));
    window->MainTimerTimer();
    EXPECT_FALSE(meter.MaxMinOn());
    EXPECT_FALSE(Shown("lblMAX"));
    EXPECT_FALSE(Shown("lblMIN"));

    Press("btnREC");
    EXPECT_TRUE(Shown("lblREC"));
    EXPECT_TRUE(window->Monitor().Recording());
    Press("btnREC");
    EXPECT_FALSE(Shown("lblREC"));
    EXPECT_TRUE(prompts.prompts.Messages().isEmpty());
}

TEST_F(LiveMeterTest, UnpluggedMeterDisconnectsAfterFivePollsAndReconnects)
{
    meter.RefuseOpen();
    for (int i = 0; i < 5; ++i)
        window->MainTimerTimer();
    EXPECT_FALSE(window->Monitor().Connected());
    EXPECT_EQ(window->StatusText(1), "No Connection");
    EXPECT_TRUE(Shown("lblNoConnection"));
    Press("btnREC");
    EXPECT_EQ(prompts.prompts.Messages(), QStringList({"Connect fail"}));

    meter.ClearFaults();
    window->MainTimerTimer();
    EXPECT_TRUE(window->Monitor().Connected());
    EXPECT_FALSE(Shown("lblNoConnection"));
}

TEST_F(LiveMeterTest, WrongModelNeverConnects)
{
    CloseMainWindow();
    meter.AnswerWrongModel();
    StartMainWindow();
    for (int i = 0; i < 3; ++i)
        window->MainTimerTimer();
    EXPECT_FALSE(window->Monitor().Connected());
    EXPECT_EQ(window->StatusText(1), "Off Connection");
}

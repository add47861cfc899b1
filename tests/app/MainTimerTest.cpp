#include "FakeTransport.h"
#include "graph/ui/TfrmGraph.h"
#include "link/LinkSession.h"
#include "MainWindowFixture.h"
#include "panel/ui/TfrmPanel.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QTest>
#include <QToolButton>

#include <memory>

#include <gtest/gtest.h>

namespace {

class MonitorTest : public MainWindowFixture {
protected:
    ScopedFakeTransport meter;

    void SetUp() override { StartMainWindow(); }
    bool ButtonEnabled(const char* name) { return Button(name)->isEnabled(); }
    bool ItemEnabled(const char* name) { return Item(name)->isEnabled(); }
    bool NoConnectionShown()
    {
        return !window->Panel()->findChild<QLabel*>("lblNoConnection")->isHidden();
    }
    void Identify(const char* model = "574")
    {
        meter.usb.replies.push_back(FakeTransport::StatusReply(model));
        window->MainTimerTimer();
    }
    void Poll(bool answered, int level = 0)
    {
        if (answered) {
            FakeTransport::Reply reply = FakeTransport::StatusReply();
            reply[3] = 0x22;
            reply[5] = static_cast<std::uint8_t>(level >> 8);
            reply[6] = static_cast<std::uint8_t>(level);
            reply[30] = static_cast<std::uint8_t>(Link().CommandSeq() + 1);
            meter.usb.replies.push_back(reply);
        }
        window->MainTimerTimer();
    }
};

}  // namespace

TEST_F(MonitorTest, IdentificationConnects)
{
    EXPECT_TRUE(NoConnectionShown());
    EXPECT_EQ(window->Panel()->MainDigitSlot(0), 1) << "power-on pattern 1888";
    EXPECT_EQ(window->Panel()->MainDigitSlot(3), 8);

    Identify("573");
    EXPECT_FALSE(window->Monitor().Connected()) << "another model is not our meter";
    Identify();
    EXPECT_TRUE(window->Monitor().Connected());
    EXPECT_FALSE(Link().Busy()) << "a tick gives the link back";
    EXPECT_EQ(window->StatusText(1), "On Connection");
    EXPECT_EQ(window->StatusText(0), "");
    EXPECT_FALSE(NoConnectionShown());
    EXPECT_TRUE(ButtonEnabled("btnRun"));
    EXPECT_TRUE(ItemEnabled("Run1"));
    EXPECT_FALSE(ButtonEnabled("btnStop"));
    EXPECT_TRUE(window->DataLogger1->menuAction()->isEnabled());
    EXPECT_EQ(meter.usb.written.back()[1], 'K');
}

TEST_F(MonitorTest, IdentificationIgnoresTheMarkers)
{
    FakeTransport::Reply reply{};
    reply[23] = '5';
    reply[24] = '7';
    reply[25] = '4';
    meter.usb.replies.push_back(reply);
    window->MainTimerTimer();
    EXPECT_TRUE(window->Monitor().Connected());
}

TEST_F(MonitorTest, ReconnectingDuringARealTimeRunKeepsStopEnabled)
{
    window->Run().Running = true;
    Identify();
    EXPECT_FALSE(ButtonEnabled("btnRun"));
    EXPECT_FALSE(ItemEnabled("Run1"));
    EXPECT_TRUE(ButtonEnabled("btnStop"));
    EXPECT_TRUE(ItemEnabled("Stop1"));
}

TEST_F(MonitorTest, FiveFailedPollsInARowDisconnect)
{
    Identify();
    for (int i = 0; i < 4; ++i)
        Poll(false);
    Poll(true, 700);  // a success in between starts the count again
    EXPECT_FLOAT_EQ(window->Monitor().LiveLevel(), 70.0f);
    for (int i = 0; i < 4; ++i)
        Poll(false);
    EXPECT_TRUE(window->Monitor().Connected());
    EXPECT_EQ(window->StatusText(1), "On Connection");

    Poll(false);
    EXPECT_FALSE(window->Monitor().Connected());
    EXPECT_EQ(window->Monitor().FailedPolls(), 0);
    EXPECT_EQ(window->StatusText(1), "No Connection");
    EXPECT_TRUE(NoConnectionShown());
    for (const char* name : {"btnRun", "btnStop", "btnDataLogger"})
        EXPECT_FALSE(ButtonEnabled(name)) << name;
    EXPECT_FALSE(ItemEnabled("Run1"));
    EXPECT_FALSE(window->findChild<QMenu*>("DataLogger1")->menuAction()->isEnabled());

    meter.usb.written.clear();
    window->MainTimerTimer();
    EXPECT_EQ(meter.usb.written.back()[1], 'K') << "disconnected ticks identify again";
}

// A meter that answers only with replies that are not status replies gives no level: it is
// lost as one that does not answer, by the rule `qx574 watch` follows too.
TEST_F(MonitorTest, AReplyWithoutTheStatusMarkersCountsAsUnanswered)
{
    Identify();
    Poll(true, 800);
    for (int i = 0; i < 4; ++i)
        Poll(false);
    FakeTransport::Reply bad = FakeTransport::StatusReply();
    bad[0] = 0x06;
    bad[5] = 0x03;
    bad[30] = static_cast<std::uint8_t>(Link().CommandSeq() + 1);
    meter.usb.replies.push_back(bad);
    window->MainTimerTimer();
    EXPECT_FALSE(window->Monitor().Connected());
    EXPECT_EQ(window->StatusText(1), "No Connection");
    EXPECT_FLOAT_EQ(window->Monitor().LiveLevel(), 80.0f) << "nothing of the bad reply is shown";
}

TEST_F(MonitorTest, ClosedPanelIsRecreatedByTheViewMenu)
{
    QAction* item = window->findChild<QAction*>("ControlPanel1");
    window->Panel()->parentWidget()->close();
    FlushDeletes();
    EXPECT_TRUE(window->Panel() == nullptr);
    EXPECT_FALSE(item->isChecked());

    Identify();
    Poll(true, 600);
    EXPECT_FLOAT_EQ(window->Monitor().LiveLevel(), 60.0f) << "the status is decoded without a panel too";
    FakeTransport::Reply recording = FakeTransport::StatusReply();
    recording[1] = 0x01;  // REC
    recording[30] = static_cast<std::uint8_t>(Link().CommandSeq() + 1);
    meter.usb.replies.push_back(recording);
    window->MainTimerTimer();
    EXPECT_TRUE(window->Monitor().Recording());

    item->trigger();
    ASSERT_FALSE(window->Panel() == nullptr);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(window->Panel()->parentWidget()->pos(), QPoint(0, 0));
    EXPECT_FALSE(NoConnectionShown()) << "connected: nothing to say";
}

TEST_F(MonitorTest, TheMinimiseKeyPutsThePanelAwayAndTheViewMenuBringsItBack)
{
    QWidget* frame = window->Panel()->parentWidget();
    frame->move(10, 20);
    window->Panel()->findChild<QToolButton*>("SpeedButton1")->click();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(window->ControlPanel1->isChecked());
    EXPECT_FALSE(window->Panel() == nullptr) << "put away, not closed";

    window->ControlPanel1->trigger();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_EQ(frame->pos(), QPoint(10, 20));
    EXPECT_TRUE(window->ControlPanel1->isChecked());
}

TEST_F(MonitorTest, APanelMadeWhileTheMeterIsAwaySaysSo)
{
    window->Panel()->parentWidget()->close();
    FlushDeletes();
    window->ControlPanel1->trigger();
    EXPECT_TRUE(NoConnectionShown()) << "as the status bar: " << window->StatusText(1).toStdString();
}

TEST_F(MonitorTest, MaxMinBlinkTogglesBothWords)
{
    window->MaxMinTimerTimer();
    EXPECT_FALSE(window->Panel()->findChild<QLabel*>("lblMAX")->isHidden());
    EXPECT_FALSE(window->Panel()->findChild<QLabel*>("lblMIN")->isHidden());
    window->MaxMinTimerTimer();
    EXPECT_TRUE(window->Panel()->findChild<QLabel*>("lblMAX")->isHidden());
}

TEST_F(MonitorTest, WhileALongSequenceHoldsTheLinkNeitherTheMonitorNorAKeySendsAnything)
{
    Identify();
    const int before = meter.usb.calls.size();
    {
        std::optional<LinkSequence> download = Link().TryBegin();
        window->MainTimerTimer();
        QTest::mouseClick(window->Panel()->findChild<QLabel*>("btnREC"), Qt::LeftButton);
        EXPECT_EQ(meter.usb.calls.size(), before) << meter.usb.calls.join(", ").toStdString();
        EXPECT_EQ(window->Monitor().FailedPolls(), 0) << "a skipped tick is not a failed poll";
    }
    Poll(true);
    EXPECT_GT(meter.usb.calls.size(), before) << "the monitor polls again once the link is free";
}

TEST_F(MonitorTest, CommandStatesFollowTheActiveWindow)
{
    Identify();
    QMdiArea* area = window->MdiArea();
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->Panel()->parentWidget()));
    EXPECT_FALSE(Item("Save1")->isEnabled()) << "the panel has nothing to save";
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->RealTimeGraph()->parentWidget()));
    EXPECT_TRUE(Item("Save1")->isEnabled());
    EXPECT_TRUE(Button("SpeedButton2")->isEnabled());
    EXPECT_FALSE(Button("btnOutputToGraph")->isEnabled());
}

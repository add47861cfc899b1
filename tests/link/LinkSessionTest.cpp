#include "FakeClock.h"
#include "FakeTransport.h"
#include "link/LinkSession.h"
#include "TestEnvironment.h"

#include <QTimer>

#include <stdexcept>

#include <gtest/gtest.h>

namespace {

class LinkSessionTest : public ::testing::Test {
protected:
    LinkSessionTest() { Link().SetMonitorTimer(&monitor); monitor.start(500); }
    ~LinkSessionTest() override { Link().SetMonitorTimer(nullptr); }

    TestEnvironment env;
    ScopedFakeClock clock;
    QTimer monitor;
};

}  // namespace

TEST_F(LinkSessionTest, APauseWaitsAtMostTwoAndAHalfSecondsForARunningTick)
{
    clock.clock.nowStep = 0.1 / 86400.0;  // each read moves 100 ms on
    Link().PollBusy = true;  // a tick that never finishes
    {
        MonitorPause pause(Link());
        EXPECT_FALSE(monitor.isActive());
        EXPECT_GE(clock.clock.nowReads, 25);
        EXPECT_LE(clock.clock.nowReads, 27);
    }
    EXPECT_TRUE(monitor.isActive());

    Link().PollBusy = false;
    clock.clock.nowReads = 0;
    MonitorPause pause(Link());
    EXPECT_EQ(clock.clock.nowReads, 1) << "no tick running: no waiting";
}

TEST_F(LinkSessionTest, TheMonitorRunsAgainOnEveryWayOutAndOnlyAfterTheLastPause)
{
    const auto failingSequence = [] {
        MonitorPause pause(Link());
        throw std::runtime_error("the sequence gave up");
    };
    EXPECT_THROW(failingSequence(), std::runtime_error);
    EXPECT_TRUE(monitor.isActive()) << "an exception does not leave the monitor stopped";

    {
        MonitorPause outer(Link());
        {
            MonitorPause inner(Link());
        }
        EXPECT_FALSE(monitor.isActive()) << "the outer sequence still holds it";
    }
    EXPECT_TRUE(monitor.isActive());
}

TEST_F(LinkSessionTest, AHoldMarksTheLinkBusyForItsLifetime)
{
    EXPECT_FALSE(Link().Busy());
    {
        LinkHold hold(Link());
        EXPECT_TRUE(Link().Busy());
        {
            LinkHold nested(Link());
        }
        EXPECT_TRUE(Link().Busy());
    }
    EXPECT_FALSE(Link().Busy());
}

TEST_F(LinkSessionTest, TheTransportIsTheSessionsAndNoneMeansNoMeter)
{
    FakeTransport usb;
    SetCurrentTransport(&usb);
    EXPECT_EQ(&Link().Usb(), &usb);
    EXPECT_EQ(&CurrentTransport(), &usb);
    SetCurrentTransport(nullptr);
    EXPECT_NE(Link().Usb().OpenDevice(LinkSession::VendorId, LinkSession::ProductId), 0);
}

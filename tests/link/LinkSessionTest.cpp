#include "FakeTransport.h"
#include "link/LinkSession.h"
#include "TestEnvironment.h"

#include <QSignalSpy>
#include <QTimer>

#include <optional>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {

class LinkSessionTest : public ::testing::Test {
protected:
    LinkSessionTest() { Link().SetMonitorTimer(&monitor); monitor.start(500); }
    ~LinkSessionTest() override { Link().SetMonitorTimer(nullptr); }

    TestEnvironment env;
    QTimer monitor;
};

}  // namespace

TEST_F(LinkSessionTest, OneSequenceAtATimeAndTheLinkIsGivenBackOnEveryWayOut)
{
    QSignalSpy busy(&Link(), &LinkSession::BusyChanged);
    {
        std::optional<LinkSequence> first = Link().TryBegin();
        ASSERT_TRUE(first);
        EXPECT_TRUE(Link().Busy());
        EXPECT_FALSE(Link().TryBegin()) << "a second sequence gets nothing while the first holds the link";
        EXPECT_FALSE(Link().TryBegin(LinkSession::Use::Exchange));

        std::optional<LinkSequence> moved = std::move(first);
        first.reset();
        EXPECT_TRUE(Link().Busy()) << "the moved-to sequence holds the link now";
    }
    EXPECT_FALSE(Link().Busy());
    EXPECT_EQ(busy.count(), 2);

    const auto failingSequence = [] {
        std::optional<LinkSequence> link = Link().TryBegin();
        throw std::runtime_error("the sequence gave up");
    };
    EXPECT_THROW(failingSequence(), std::runtime_error);
    EXPECT_FALSE(Link().Busy()) << "an exception does not leave the link held";
    EXPECT_TRUE(monitor.isActive()) << "nor the monitor stopped";
}

TEST_F(LinkSessionTest, ALongSequenceRestsTheMonitorAndAnExchangeDoesNot)
{
    {
        std::optional<LinkSequence> exchange = Link().TryBegin(LinkSession::Use::Exchange);
        EXPECT_TRUE(monitor.isActive());
    }
    {
        std::optional<LinkSequence> download = Link().TryBegin(LinkSession::Use::Long);
        EXPECT_FALSE(monitor.isActive());
    }
    EXPECT_TRUE(monitor.isActive());

    // A sequence kept past its first scope (as a measurement keeps one) rests it until it ends.
    std::optional<LinkSequence> kept;
    kept = Link().TryBegin();
    EXPECT_FALSE(monitor.isActive());
    kept.reset();
    EXPECT_TRUE(monitor.isActive());
}

TEST_F(LinkSessionTest, TheServiceWindowsFramesAreItsOwn)
{
    {
        std::optional<LinkSequence> main = Link().TryBegin();
        main->Command()[3] = 0x11;
    }
    {
        std::optional<LinkSequence> service = Link().TryBegin(LinkSession::Use::Long, LinkSession::Frames::Service);
        EXPECT_EQ(service->Command(), (CommandFrame{0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03}));
        service->Command()[3] = 0x22;
    }
    std::optional<LinkSequence> main = Link().TryBegin();
    EXPECT_EQ(main->Command()[3], 0x11) << "the data bytes carry over within each set of frames";
    EXPECT_EQ(Link().LastCommand()[3], 0x11);
}

TEST_F(LinkSessionTest, TheTransportIsTheSessionsAndNoneMeansNoMeter)
{
    FakeTransport usb;
    SetCurrentTransport(&usb);
    {
        std::optional<LinkSequence> link = Link().TryBegin();
        EXPECT_EQ(&link->Usb(), &usb);
    }
    SetCurrentTransport(nullptr);
    std::optional<LinkSequence> link = Link().TryBegin();
    EXPECT_NE(link->Usb().OpenDevice(LinkSession::VendorId, LinkSession::ProductId), 0);
}

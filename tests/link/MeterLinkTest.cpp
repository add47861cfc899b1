#include "FakeTransport.h"
#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "TestEnvironment.h"
#include "TestLink.h"

#include <gtest/gtest.h>

namespace {

class MeterLinkTest : public ::testing::Test {
protected:
    TestEnvironment env;
    FakeTransport usb;
    TestLink link{usb};

    // As though the monitor had polled that many times.
    void AdvanceCommandSeq(int polls)
    {
        for (int i = 0; i < polls; ++i)
            link->NextCommandSeq();
    }

    FakeTransport::Reply EchoReply(std::uint8_t sequence)
    {
        FakeTransport::Reply reply = FakeTransport::StatusReply();
        reply[30] = sequence;
        return reply;
    }
};

}  // namespace

TEST_F(MeterLinkTest, ExchangeCommandRunsTheStepsInOrderAndCarriesTheDataBytes)
{
    link->Command() = {0x00, 0x00, 0x11, 0x22, 0x33, 0x44, 0x00};
    usb.replies.push_back(FakeTransport::StatusReply("574"));
    EXPECT_TRUE(ExchangeCommand(*link, Cmd::Identify));
    EXPECT_EQ(usb.calls, QStringList({"close", "open 04d9 e000", "timeouts 1000 1000",
                                      "write 02 4b 11 22 33 44 03", "prepare", "read 32", "close"}));
    EXPECT_EQ(link->Reply()[23], '5');
}

TEST_F(MeterLinkTest, ExchangeCommandFailuresStillCloseTheDevice)
{
    struct Case { const char* name; bool openFails, timeoutsFail, replyQueued; QStringList calls; };
    const Case cases[] = {
        {"no meter", true, false, true, {"close", "open 04d9 e000", "close"}},
        {"time-outs refused", false, true, true, {"close", "open 04d9 e000", "timeouts 1000 1000", "close"}},
        {"no reply", false, false, false,
         {"close", "open 04d9 e000", "timeouts 1000 1000", "write 02 4b 00 00 00 00 03", "prepare", "read 32", "close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        usb = FakeTransport();
        usb.openFails = c.openFails;
        usb.timeoutsFail = c.timeoutsFail;
        if (c.replyQueued)
            usb.replies.push_back(FakeTransport::StatusReply("574"));
        link->Command() = {0x02, 0x4B, 0, 0, 0, 0, 0};
        EXPECT_FALSE(ExchangeCommand(*link, Cmd::Identify));
        EXPECT_EQ(usb.calls, c.calls);
    }
}

TEST_F(MeterLinkTest, SendCommandWritesOneFrameAndReadsNothing)
{
    EXPECT_TRUE(SendCommand(*link, Cmd::RecKey));
    EXPECT_EQ(usb.calls, QStringList({"close", "open 04d9 e000", "timeouts 500 500",
                                      "write 02 52 00 00 00 00 03", "close"}));

    usb = FakeTransport();
    usb.writeFails = true;  // not detected: the key simply has no effect
    EXPECT_TRUE(SendCommand(*link, Cmd::FastSlowKey));

    usb = FakeTransport();
    usb.openFails = true;
    EXPECT_FALSE(SendCommand(*link, Cmd::WeightingKey));
    EXPECT_TRUE(usb.written.empty());

    usb = FakeTransport();
    usb.timeoutsFail = true;
    EXPECT_FALSE(SendCommand(*link, Cmd::WeightingKey));
    EXPECT_EQ(usb.calls.last(), "timeouts 500 500") << "left open for the next sequence to close";
}

TEST_F(MeterLinkTest, PollStatusSendsTheSequenceAndResynchronisesOnAWrongEcho)
{
    AdvanceCommandSeq(41);
    usb.replies.push_back(EchoReply(42));
    EXPECT_TRUE(PollStatus(*link));
    EXPECT_EQ(usb.calls, QStringList({"close", "open 04d9 e000", "timeouts 1000 1000",
                                      "write 02 41 00 00 00 2a 03", "prepare", "read 32", "close"}));

    usb = FakeTransport();
    usb.replies.push_back(EchoReply(7));
    EXPECT_TRUE(PollStatus(*link)) << "a wrong echo does not change the result";
    EXPECT_EQ(usb.calls.mid(5), QStringList({"read 32", "write 02 51 00 00 00 2b 03", "close"}));

    usb = FakeTransport();  // no reply: the zeroed buffer cannot echo 44
    EXPECT_FALSE(PollStatus(*link));
    EXPECT_EQ(usb.calls.mid(5), QStringList({"read 32", "write 02 51 00 00 00 2c 03", "close"}));
    EXPECT_EQ(link->Reply(), ReplyFrame{});
}

TEST_F(MeterLinkTest, PollStatusSequenceWrapsAndAnEchoingMeterKeepsMatching)
{
    AdvanceCommandSeq(200);
    for (int i = 1; i <= 256; ++i) {
        usb.replies.push_back(EchoReply(static_cast<std::uint8_t>(200 + i)));
        ASSERT_TRUE(PollStatus(*link));
    }
    EXPECT_EQ(Link().CommandSeq(), 200);
    for (const auto& frame : usb.written)
        EXPECT_NE(frame[1], Cmd::Resync);
}

TEST_F(MeterLinkTest, PollStatusWithoutAMeterWritesNothing)
{
    usb.openFails = true;
    EXPECT_FALSE(PollStatus(*link));
    EXPECT_EQ(usb.calls, QStringList({"close", "open 04d9 e000", "close"}));
    EXPECT_EQ(Link().CommandSeq(), 0);
}

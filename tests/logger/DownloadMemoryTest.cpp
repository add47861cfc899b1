#include "logger/DownloadMemory.h"

#include "FakeClock.h"
#include "FakeTransport.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"
#include "link/MemoryImage.h"
#include "link/MeterLink.h"
#include "link/SimulatedMeter.h"
#include "logger/EraseLoggerMemory.h"
#include "TestEnvironment.h"
#include "TestLink.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// The header page's first 32 bytes for a memory whose last used byte is memoryEnd.
FakeTransport::Reply Header(int memoryEnd, std::uint8_t endMarker = 5)
{
    FakeTransport::Reply reply{};
    reply[0] = 4;
    reply[11] = static_cast<std::uint8_t>(memoryEnd >> 16);
    reply[12] = static_cast<std::uint8_t>(memoryEnd >> 8);
    reply[13] = static_cast<std::uint8_t>(memoryEnd);
    reply[31] = endMarker;
    return reply;
}

FakeTransport::Reply Block(int index)
{
    FakeTransport::Reply reply{};
    reply.fill(static_cast<std::uint8_t>(index));
    return reply;
}

class DownloadMemoryTest : public ::testing::Test {
protected:
    TestEnvironment env;
    FakeTransport usb;
    TestLink link{usb};
    std::vector<std::pair<int, int>> progress;

    DownloadResult Download(int stopAfterReceived = -1)
    {
        return DownloadMemory(*link, [&](int received, int length) {
            progress.emplace_back(received, length);
            return received != stopAfterReceived;
        });
    }
    int Writes(char command) const
    {
        return static_cast<int>(std::count_if(usb.written.begin(), usb.written.end(),
                                              [command](const auto& f) { return f[1] == command; }));
    }
};

}  // namespace

TEST_F(DownloadMemoryTest, AMemoryEndOf1000FetchesThirtyTwoBlocksAndEndsWithQ)
{
    link->Command() = {0x00, 0x00, 0x11, 0x22, 0x33, 0x44, 0x00};
    usb.replies.push_back(Header(1000));
    for (int i = 1; i < 32; ++i)
        usb.replies.push_back(Block(i));
    const DownloadResult result = Download();
    EXPECT_EQ(result.code, 0);
    ASSERT_EQ(result.image.size(), 1024u);
    EXPECT_EQ(result.image[0], 4);
    EXPECT_EQ(result.image[32], 1);
    EXPECT_EQ(result.image[1023], 31);
    EXPECT_EQ(Writes('P'), 1);
    EXPECT_EQ(Writes('p'), 31);
    EXPECT_EQ(Writes('q'), 1);
    for (const auto& frame : usb.written)  // the data bytes the frame held go with every command
        EXPECT_EQ(std::vector<int>(frame.begin() + 2, frame.begin() + 6), (std::vector<int>{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(usb.calls.mid(0, 3), QStringList({"close", "open 04d9 e000", "timeouts 1000 1000"}));
    EXPECT_EQ(usb.calls.last(), "write 02 71 11 22 33 44 03") << "the device is left open after 'q'";
    ASSERT_EQ(progress.size(), 32u);
    EXPECT_EQ(progress.front(), std::make_pair(0, 1024)) << "0 received until the first 'p' block";
    EXPECT_EQ(progress[1], std::make_pair(64, 1024));
    EXPECT_EQ(progress.back(), std::make_pair(1024, 1024));
}

TEST_F(DownloadMemoryTest, EachStepFailsWithItsCode)
{
    struct Case {
        const char* name;
        int blocksAnswered;  // 'p' blocks the meter answers; -1: not even the header
        std::uint8_t endMarker;
        int expected;
    } cases[] = {
        {"header unanswered", -1, 5, DownloadCode::ReadHeader},
        {"header without its end marker", 0, 6, DownloadCode::HeaderMarkers},
        // A 1024-byte memory: the second block fails at 64 bytes received, 960 outstanding.
        {"second block unanswered", 1, 5, DownloadCode::ShortTransfer},
        {"block after 800 bytes unanswered", 24, 5, DownloadCode::ReadBlock},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        usb.replies.clear();
        usb.written.clear();
        if (c.blocksAnswered >= 0)
            usb.replies.push_back(Header(1000, c.endMarker));
        for (int i = 1; i <= c.blocksAnswered; ++i)
            usb.replies.push_back(Block(i));
        const DownloadResult result = Download();
        EXPECT_EQ(result.code, c.expected);
        EXPECT_TRUE(result.image.empty());
        EXPECT_FALSE(result.cancelled);
        EXPECT_EQ(Writes('q'), 0);
    }
}

TEST_F(DownloadMemoryTest, OpenTimeoutsAndWritesFailAgainstTheSimulatedMeter)
{
    ScopedFakeClock clock;
    SimulatedMeter meter;
    SetCurrentTransport(&meter);
    const auto code = [&] { return DownloadMemory(*link, [](int, int) { return true; }).code; };

    meter.RefuseOpen();
    EXPECT_EQ(code(), DownloadCode::Open);
    meter.ClearFaults();
    meter.FailTimeouts();
    EXPECT_EQ(code(), DownloadCode::Timeouts);
    meter.ClearFaults();
    meter.FailWrite(1);
    EXPECT_EQ(code(), DownloadCode::WriteStart);
    const int blocks = DownloadLength(meter.Memory().MemoryEnd()) / 32;
    ASSERT_GT(blocks, 8);
    meter.FailWrite(3);  // 'P', 'p', then the second 'p' fails early in the transfer
    EXPECT_EQ(code(), DownloadCode::ShortTransfer);
    meter.FailWrite(blocks);  // the last 'p' fails: nearly everything had arrived
    EXPECT_EQ(code(), DownloadCode::WriteNextBlock);
    meter.FailWrite(blocks + 1);  // every block arrived, the closing 'q' fails
    EXPECT_EQ(code(), DownloadCode::WriteEnd);

    const DownloadResult whole = DownloadMemory(*link, [](int, int) { return true; });
    EXPECT_EQ(whole.code, 0);
    ASSERT_EQ(static_cast<int>(whole.image.size()), blocks * 32);
    const auto bytes = meter.Memory().Bytes();
    EXPECT_TRUE(std::equal(whole.image.begin(), whole.image.end(), bytes.begin()))
        << "the image is the meter's memory as it holds it";
    SetCurrentTransport(&usb);
}

TEST_F(DownloadMemoryTest, ACancelStopsTheTransferWithNoCodeAndNoImage)
{
    usb.replies.push_back(Header(1000));
    for (int i = 1; i < 32; ++i)
        usb.replies.push_back(Block(i));
    const DownloadResult result = Download(96);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.image.empty());
    EXPECT_EQ(Writes('p'), 2);
    EXPECT_EQ(Writes('q'), 0);

    Resynchronise(*link);
    EXPECT_EQ(usb.calls.mid(usb.calls.size() - 2),
              QStringList({"prepare", "write 02 51 00 00 00 00 03"})) << "'Q' without reopening";
}

TEST(EraseLoggerMemory, ChecksEverySevenBytesOfTheEcho)
{
    FakeTransport usb;
    TestLink link(usb);
    FakeTransport::Reply echo{0x02, 0x65, 0x72, 0x61, 0x73, 0x65, 0x03};
    usb.replies.push_back(echo);
    EXPECT_EQ(EraseLoggerMemory(*link), 0);
    EXPECT_EQ(usb.written.back(), (std::array<std::uint8_t, 7>{0x02, 0x65, 0x72, 0x61, 0x73, 0x65, 0x03}));

    echo[6] = 0x00;  // six bytes echoed
    usb.replies.push_back(echo);
    EXPECT_EQ(EraseLoggerMemory(*link), EraseCode::Echo);
    EXPECT_EQ(EraseLoggerMemory(*link), EraseCode::Read) << "no reply";
    usb.writeFails = true;
    EXPECT_EQ(EraseLoggerMemory(*link), EraseCode::Write);
    usb.timeoutsFail = true;
    EXPECT_EQ(EraseLoggerMemory(*link), EraseCode::Timeouts);
    usb.openFails = true;
    EXPECT_EQ(EraseLoggerMemory(*link), EraseCode::Open);
}

TEST(DownloadTimeLeft, FollowsThePaceOfTheBlocksSoFar)
{
    struct Case { double elapsed; int received, length; const char* text; } cases[] = {
        {0.0, 32, 131072, ""},             // only the header: no pace yet
        {1.0, 1056, 131072, "time left 2:07"},  // 1024 bytes a second, 130016 to go
        {2.0, 65568, 131072, "time left 0:02"},
        {3600.0, 64, 131072, "time left 99:59:59"},  // absurdly slow: capped, not overflowing
        {5.0, 131072, 131072, "time left 0:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DownloadTimeLeftText(c.elapsed, c.received, c.length).toStdString(), c.text) << c.received;
}

#include "logger/SetMeterClock.h"

#include "FakeClock.h"
#include "FakeTransport.h"
#include "link/SimulatedMeter.h"
#include "shell/Formats.h"
#include "TestLink.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

double At(int year, int month, int day, int hour, int minute, int second)
{
    return DaysFromDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

}  // namespace

TEST(MakeClockPacket, PutsEachFieldInBcdAndLeavesTheRestZero)
{
    struct Case { double days; std::array<int, 8> head; } cases[] = {
        //                                 s     m     h     D     M          YY    0
        {At(2026, 3, 9, 14, 5, 7),      {0x07, 0x05, 0x14, 0x09, 0x03, 0x00, 0x26, 0x00}},
        {At(2009, 12, 31, 23, 59, 59),  {0x59, 0x59, 0x23, 0x31, 0x12, 0x00, 0x09, 0x00}},
        {At(2000, 1, 1, 0, 0, 0),       {0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        const ClockPacket packet = MakeClockPacket(c.days);
        SCOPED_TRACE(DateTimeFromDays(c.days).toString(Qt::ISODate).toStdString());
        for (std::size_t i = 0; i < c.head.size(); ++i)
            EXPECT_EQ(packet[i], c.head[i]) << "byte " << i;
        EXPECT_TRUE(std::all_of(packet.begin() + 8, packet.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(SetMeterClock, SendsTcThenThePacketAndReadsNothing)
{
    FakeTransport usb;
    TestLink link(usb, LinkSession::Frames::Service);
    link->Command() = {0x02, 0x00, 0x00, 0x00, 0x11, 0x22, 0x03};
    EXPECT_EQ(SetMeterClock(*link, At(2026, 3, 9, 14, 5, 7)), 0);
    EXPECT_EQ(usb.calls, QStringList({
        "close", "open 04d9 e000", "timeouts 1000 1000",
        "write 02 74 63 00 11 22 03",  // bytes 4 and 5 keep what the frame held
        "prepare",
        "data 07 05 14 09 03 00 26 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
    }));
}

TEST(SetMeterClock, EachStepFailsWithItsCodeAgainstTheSimulatedMeter)
{
    ScopedFakeClock clock;
    clock.clock.now = At(2026, 3, 9, 14, 5, 7);
    SimulatedMeter meter;
    TestLink link(meter, LinkSession::Frames::Service);
    struct Case { const char* name; void (*fault)(SimulatedMeter&); int code; } cases[] = {
        {"open refused", [](SimulatedMeter& m) { m.RefuseOpen(); }, ClockCode::Open},
        {"time-outs refused", [](SimulatedMeter& m) { m.FailTimeouts(); }, ClockCode::Timeouts},
        {"command not written", [](SimulatedMeter& m) { m.FailWrite(1); }, ClockCode::Write},
        {"packet not written", [](SimulatedMeter& m) { m.FailWrite(2); }, ClockCode::ClockBlock},
    };
    const double tomorrow = clock.clock.now + 1.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        meter.ClearFaults();
        c.fault(meter);
        EXPECT_EQ(SetMeterClock(*link, tomorrow), c.code);
        EXPECT_NEAR(meter.MeterTime(), clock.clock.now, OneSecond) << "the meter's clock stays";
    }
    meter.ClearFaults();
    EXPECT_EQ(SetMeterClock(*link, tomorrow), 0);
    EXPECT_NEAR(meter.MeterTime(), tomorrow, OneSecond);
}

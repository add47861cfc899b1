#include "logger/SetRecordingInterval.h"

#include "FakeClock.h"
#include "FakeTransport.h"
#include "link/SimulatedMeter.h"
#include "TestLink.h"

#include <gtest/gtest.h>

TEST(IntervalFromInput, MinutesAndSecondsUpToOneMinute)
{
    struct Case { const char* minutes; const char* seconds; std::optional<int> interval; } cases[] = {
        {"00", "45", 45},
        {"01", "00", 60},
        {"00", "60", 60},
        {"00", "00", 0},  // taken: the meter's setting allows it
        {"00", "02", 2},
        {"1", "0", 60},   // one digit typed in a plain box
        {"01", "01", std::nullopt},
        {"04", "16", std::nullopt},
        {"00", "61", std::nullopt},
        {"00", "0_", std::nullopt},  // a blank digit left in the seconds
        {"_0", "05", std::nullopt},
        {"__", "__", std::nullopt},
        {"", "05", std::nullopt},
        {"00", " 5", std::nullopt},
        {"00", "-5", std::nullopt},
        {"0a", "00", std::nullopt},
        {"00", "99999999999999999999", std::nullopt},  // too long for any integer
    };
    for (const Case& c : cases)
        EXPECT_EQ(IntervalFromInput(c.minutes, c.seconds), c.interval) << c.minutes << ":" << c.seconds;
}

TEST(SetRecordingInterval, WritesZeroAtFourteenThenTheSecondsAtFifteenAndCloses)
{
    FakeTransport usb;
    TestLink link(usb, LinkSession::Frames::Service);
    usb.replies = {{0x02, 0x57}, {0x02, 0x57}};
    EXPECT_EQ(SetRecordingInterval(*link, 45), 0);
    EXPECT_EQ(usb.calls, QStringList({
        "close", "open 04d9 e000", "timeouts 1000 1000",
        "write 02 57 00 00 0e 00 03", "prepare", "read 32",
        "write 02 57 00 00 0f 2d 03", "prepare", "read 32",
        "close",
    }));

    usb.calls.clear();
    EXPECT_EQ(SetRecordingInterval(*link, 61), IntervalCode::InvalidInput);
    EXPECT_EQ(SetRecordingInterval(*link, -1), IntervalCode::InvalidInput);
    EXPECT_TRUE(usb.calls.isEmpty()) << "an interval out of range sends nothing";
}

TEST(SetRecordingInterval, EachStepFailsWithItsCodeAgainstTheSimulatedMeter)
{
    ScopedFakeClock clock;
    SimulatedMeter meter;
    TestLink link(meter, LinkSession::Frames::Service);
    struct Case { const char* name; void (*fault)(SimulatedMeter&); int code; } cases[] = {
        {"open refused", [](SimulatedMeter& m) { m.RefuseOpen(); }, IntervalCode::Open},
        {"time-outs refused", [](SimulatedMeter& m) { m.FailTimeouts(); }, IntervalCode::Timeouts},
        {"address 14 not written", [](SimulatedMeter& m) { m.FailWrite(1); }, IntervalCode::WriteHigh},
        {"address 14 unanswered", [](SimulatedMeter& m) { m.FailRead(1); }, IntervalCode::ReadHigh},
        {"echo wrong", [](SimulatedMeter& m) { m.AnswerWrongEcho(); }, IntervalCode::Echo},
        {"address 15 not written", [](SimulatedMeter& m) { m.FailWrite(2); }, IntervalCode::WriteLow},
        {"address 15 unanswered", [](SimulatedMeter& m) { m.FailRead(2); }, IntervalCode::ReadLow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        meter.ClearFaults();
        c.fault(meter);
        EXPECT_EQ(SetRecordingInterval(*link, 45), c.code);
        EXPECT_EQ(meter.Memory().IntervalSetting() == 45, c.code == IntervalCode::ReadLow)
            << "only an unanswered second write has reached the meter";
        EXPECT_FALSE(meter.IsOpen());
        meter.Memory().SetByte(15, 2);
    }
    meter.ClearFaults();
    EXPECT_EQ(SetRecordingInterval(*link, 45), 0);
    EXPECT_EQ(meter.Memory().IntervalSetting(), 45);
    EXPECT_FALSE(meter.IsOpen());
}

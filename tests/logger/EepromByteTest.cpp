#include "logger/EepromByte.h"

#include "FakeClock.h"
#include "FakeTransport.h"
#include "link/SimulatedMeter.h"
#include "TestLink.h"

#include <gtest/gtest.h>

TEST(ReadEepromAddress, NumbersThatFitTwentyFourBits)
{
    struct Case { const char* text; std::optional<std::uint32_t> address; } cases[] = {
        {"0", 0u},           {"70000", 70000u},  {" 127 ", 127u},  {"0x7F", 127u},  {"0X7f", 127u},
        {"$1FF", 511u},      {"16777215", 0xFFFFFFu},  {"0xFFFFFF", 0xFFFFFFu},
        {"16777216", std::nullopt},  {"0x1000000", std::nullopt},  {"-1", std::nullopt},
        {"", std::nullopt},  {"abc", std::nullopt},  {"12.5", std::nullopt},  {"1e3", std::nullopt},
        {"0x", std::nullopt},  {"$", std::nullopt},  {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadEepromAddress(c.text), c.address) << '"' << c.text << '"';
}

// A value beyond a byte is refused, never cut to its low bits.
TEST(ReadEepromData, OnlyANumberFromZeroTo255IsAByte)
{
    struct Case { const char* text; std::optional<std::uint8_t> data; } cases[] = {
        {"0", 0},  {"255", 255},  {"$80", 0x80},  {"0xFF", 0xFF},
        {"256", std::nullopt},  {"300", std::nullopt},  {"-1", std::nullopt},  {"-128", std::nullopt},
        {"4294967295", std::nullopt},  {"4294967296", std::nullopt},
        {"", std::nullopt},  {"x", std::nullopt},  {"1.5", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadEepromData(c.text), c.data) << '"' << c.text << '"';
}

TEST(EepromByte, FramesCarryTheAddressBigEndian)
{
    FakeTransport usb;
    TestLink link(usb, LinkSession::Frames::Service);
    link->Command()[5] = 0x99;

    // Write 70000 / 300: the echo of all seven bytes is checked.
    usb.replies.push_back({0x02, 0x57, 0x01, 0x11, 0x70, 0x2C, 0x03});
    EXPECT_EQ(WriteEepromByte(*link, 70000, *ReadEepromData("44")), 0);
    EXPECT_EQ(usb.calls, QStringList({"close", "open 04d9 e000", "timeouts 1000 1000",
                                           "write 02 57 01 11 70 2c 03", "prepare", "read 32", "close"}));
    usb.replies.push_back({0x02, 0x57, 0x01, 0x11, 0x70, 0x2D, 0x03});
    EXPECT_EQ(WriteEepromByte(*link, 70000, 0x2C), EepromCode::Echo);

    // Read 0x7F: byte 5 keeps what the frame held, only 02 'r' must come back.
    link->Command()[5] = 0x99;
    usb.calls.clear();
    usb.replies.push_back({0x02, 0x72, 0xAA, 0xBB, 0xCC, 0xDD, 0x7F});
    const EepromReadResult read = ReadEepromByte(*link, 0x7F);
    EXPECT_EQ(read.code, 0);
    EXPECT_EQ(read.value, 127);
    EXPECT_EQ(usb.calls[3], "write 02 72 00 00 7f 99 03");

    usb.calls.clear();
    EXPECT_EQ(WriteEepromByte(*link, 0x1000000, 1), EepromCode::InvalidAddress);
    EXPECT_EQ(ReadEepromByte(*link, 0x1000000).code, EepromCode::InvalidAddress);
    EXPECT_TRUE(usb.calls.isEmpty()) << "an address the frame cannot carry sends nothing";
}

TEST(EepromByte, EachStepFailsWithItsCodeAgainstTheSimulatedMeter)
{
    ScopedFakeClock clock;
    SimulatedMeter meter;
    TestLink link(meter, LinkSession::Frames::Service);
    struct Case { const char* name; void (*fault)(SimulatedMeter&); std::uint32_t address; int code; } cases[] = {
        {"open refused", [](SimulatedMeter& m) { m.RefuseOpen(); }, 0x4000, EepromCode::Open},
        {"time-outs refused", [](SimulatedMeter& m) { m.FailTimeouts(); }, 0x4000, EepromCode::Timeouts},
        {"not written", [](SimulatedMeter& m) { m.FailWrite(1); }, 0x4000, EepromCode::Write},
        {"unanswered", [](SimulatedMeter& m) { m.FailRead(1); }, 0x4000, EepromCode::Read},
        {"wrong echo", [](SimulatedMeter& m) { m.AnswerWrongEcho(); }, 0x4000, EepromCode::Echo},
        {"beyond the meter's memory", [](SimulatedMeter&) {}, 0x20000, EepromCode::Read},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        meter.ClearFaults();
        c.fault(meter);
        EXPECT_EQ(WriteEepromByte(*link, c.address, 0x5A), c.code);
        EXPECT_FALSE(meter.IsOpen());
        meter.ClearFaults();
        c.fault(meter);
        EXPECT_EQ(ReadEepromByte(*link, c.address).code, c.code);
        EXPECT_FALSE(meter.IsOpen());
    }
    meter.ClearFaults();
    EXPECT_EQ(WriteEepromByte(*link, 0x4000, 0x5A), 0);
    EXPECT_EQ(meter.Memory().Byte(0x4000), 0x5A);
    const EepromReadResult read = ReadEepromByte(*link, 0x4000);
    EXPECT_EQ(read.code, 0);
    EXPECT_EQ(read.value, 0x5A);
}

#include "logger/ReadLoggerInformation.h"

#include "FakeClock.h"
#include "FakeTransport.h"
#include "link/LoggerMemory.h"
#include "link/SimulatedMeter.h"
#include "shell/Formats.h"
#include "TestLink.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

// A 'Y' reply: four sets, memory end 255, interval 2, 94 dB offset -1.0, 70 dB value 384,
// 9 March 2026 14:05:07, firmware 1.23.
ReplyFrame Reply()
{
    ReplyFrame reply{};
    reply[0] = 0x04;
    reply[9] = 0x00, reply[10] = 0x04;
    reply[11] = 0x00, reply[12] = 0x00, reply[13] = 0xFF;
    reply[14] = 0x00, reply[15] = 0x02;
    reply[18] = 0xF6;
    reply[19] = 0x01, reply[20] = 0x80;
    const std::uint8_t clock[] = {0x26, 0x03, 0x09, 0x14, 0x05, 0x07};
    std::copy(std::begin(clock), std::end(clock), reply.begin() + 25);
    reply[31] = 123;
    return reply;
}

struct Texts {
    const char* version;
    const char* meterTime;
    const char* interval;
    const char* dataSets;
    const char* memoryAvailable;
    const char* calibration94;
    const char* calibration70;
};

void ExpectTexts(const LoggerInformation& info, const Texts& t)
{
    EXPECT_EQ(info.firmwareVersion, t.version);
    EXPECT_EQ(info.meterTime, t.meterTime);
    EXPECT_EQ(info.interval, t.interval);
    EXPECT_EQ(info.dataSets, t.dataSets);
    EXPECT_EQ(info.memoryAvailable, t.memoryAvailable);
    EXPECT_EQ(info.calibration94, t.calibration94);
    EXPECT_EQ(info.calibration70, t.calibration70);
    EXPECT_EQ(info.serialNumber, "");
}

}  // namespace

TEST(DecodeLoggerInformation, ShowsEveryFieldAsTheWindowDoes)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    ExpectTexts(DecodeLoggerInformation(Reply(), english),
                {"1.23", "03/09/2026   14:05:07", "2", "4", "64000", "-1.0", "1.50  (384)"});
    ExpectTexts(DecodeLoggerInformation(Reply(), QLocale(QLocale::German, QLocale::Germany)),
                {"1,23", "03/09/2026   14:05:07", "2", "4", "64000", "-1,0", "1,50  (384)"});
}

TEST(DecodeLoggerInformation, FieldsAtTheirLimits)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    struct Case {
        const char* name;
        int offset;
        std::vector<std::uint8_t> bytes;
        QString LoggerInformation::*field;
        const char* text;
    } cases[] = {
        {"memory end at the last recordable byte", 11, {0x01, 0xF5, 0x00}, &LoggerInformation::memoryAvailable, "0"},
        {"memory end one before it", 11, {0x01, 0xF4, 0xFE}, &LoggerInformation::memoryAvailable, "1"},
        {"a full 128 KiB memory has no room, not less", 11, {0x01, 0xFF, 0xFF}, &LoggerInformation::memoryAvailable, "0"},
        {"nonsense memory end", 11, {0xFF, 0xFF, 0xFF}, &LoggerInformation::memoryAvailable, "0"},
        {"empty memory", 11, {0x00, 0x00, 0x00}, &LoggerInformation::memoryAvailable, "64128"},
        {"most data sets", 9, {0xFF, 0xFF}, &LoggerInformation::dataSets, "65535"},
        {"largest 94 dB offset", 18, {0x7F}, &LoggerInformation::calibration94, "12.7"},
        {"smallest 94 dB offset", 18, {0x80}, &LoggerInformation::calibration94, "-12.8"},
        {"no 94 dB offset", 18, {0x00}, &LoggerInformation::calibration94, "0.0"},
        {"largest 70 dB value", 19, {0xFF, 0xFF}, &LoggerInformation::calibration70, "256.00  (65535)"},
        {"a value of less than 1", 19, {0x00, 0x80}, &LoggerInformation::calibration70, "0.50  (128)"},
        {"the interval is byte 15 alone", 14, {0x01, 0x3C}, &LoggerInformation::interval, "60"},
        {"firmware 2.55", 31, {0xFF}, &LoggerInformation::firmwareVersion, "2.55"},
        {"clock bytes that are not BCD show as they came", 25, {0x5A, 0x1A, 0x3B, 0x2C, 0xFF, 0x00},
         &LoggerInformation::meterTime, "1A/3B/205A   2C:FF:00"},
    };
    for (const Case& c : cases) {
        ReplyFrame reply = Reply();
        std::copy(c.bytes.begin(), c.bytes.end(), reply.begin() + c.offset);
        EXPECT_EQ(DecodeLoggerInformation(reply, english).*c.field, c.text) << c.name;
    }
}

TEST(ReadLoggerInformation, SendsTheFixedFrameThenReadsTheSerialNumber)
{
    FakeTransport usb;
    TestLink link(usb, LinkSession::Frames::Service);
    usb.replies.push_back(Reply());
    const LoggerInformationResult result = ReadLoggerInformation(*link);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(usb.calls, QStringList({"close", "open 04d9 e000", "timeouts 1000 1000",
                                           "write 02 59 00 00 00 00 03", "prepare", "read 32", "serial"}));
    ASSERT_TRUE(result.information.has_value());
    EXPECT_EQ(result.information->serialNumber, "FAKE0001");
    EXPECT_EQ(result.information->dataSets, "4");
    EXPECT_EQ(link->Reply(), Reply()) << "the reply is read into the sequence's frame";
}

TEST(ReadLoggerInformation, EachStepFailsWithItsCodeAgainstTheSimulatedMeter)
{
    ScopedFakeClock clock;
    clock.clock.now = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)));
    SimulatedMeter meter;
    TestLink link(meter, LinkSession::Frames::Service);
    struct Case { const char* name; void (*fault)(SimulatedMeter&); int code; bool information; } cases[] = {
        {"open refused", [](SimulatedMeter& m) { m.RefuseOpen(); }, InformationCode::Open, false},
        {"time-outs refused", [](SimulatedMeter& m) { m.FailTimeouts(); }, InformationCode::Timeouts, false},
        {"'Y' not written", [](SimulatedMeter& m) { m.FailWrite(1); }, InformationCode::Write, false},
        {"no reply", [](SimulatedMeter& m) { m.FailRead(1); }, InformationCode::Read, false},
        // The block arrived: what it tells is shown even without the serial number.
        {"no serial number", [](SimulatedMeter& m) { m.FailSerialNumber(); }, InformationCode::SerialNumber, true},
        {"everything answered", [](SimulatedMeter&) {}, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        meter.ClearFaults();
        c.fault(meter);
        const LoggerInformationResult result = ReadLoggerInformation(*link);
        EXPECT_EQ(result.code, c.code);
        ASSERT_EQ(result.information.has_value(), c.information);
        if (!c.information)
            continue;
        EXPECT_EQ(result.information->dataSets, QString::number(meter.Memory().SetCount()));
        EXPECT_EQ(result.information->meterTime, "03/09/2026   14:05:07");
        EXPECT_EQ(result.information->firmwareVersion, "1.12");
        EXPECT_EQ(result.information->serialNumber, c.code == 0 ? "QX574-0012345" : "");
    }
}

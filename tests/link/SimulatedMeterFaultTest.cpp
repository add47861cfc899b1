#include "SimulatedMeterFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using SimulatedMeterFaultTest = SimulatedMeterFixture;

bool AllBcd(const ReplyFrame& reply, std::initializer_list<int> offsets)
{
    return std::all_of(offsets.begin(), offsets.end(), [&](int i) {
        return (reply[i] >> 4) <= 9 && (reply[i] & 0x0F) <= 9;
    });
}

TEST_F(SimulatedMeterFaultTest, RefusingToOpenFailsTheOpen)
{
    meter.RefuseOpen();
    EXPECT_NE(meter.OpenDevice(0x04D9, 0xE000), 0);
    EXPECT_FALSE(Ask(Frame('K')).has_value());
    meter.RefuseOpen(false);
    EXPECT_TRUE(Ask(Frame('K')).has_value());
}

TEST_F(SimulatedMeterFaultTest, FailingTheTimeOutSettingLeavesTheDeviceOpen)
{
    meter.FailTimeouts();
    ASSERT_EQ(meter.OpenDevice(0x04D9, 0xE000), 0);
    EXPECT_NE(meter.SetTimeouts(500, 500), 0);
    EXPECT_TRUE(meter.IsOpen());
}

TEST_F(SimulatedMeterFaultTest, TheNthWriteFailsOnceAndItsCommandIsLost)
{
    meter.FailWrite(2);
    Press('L');  // first write: 30-90 dB
    ASSERT_TRUE(OpenLink());
    const CommandFrame range = Frame('L');
    EXPECT_NE(meter.WriteCommand(7, range.data()), 0);  // second write fails
    EXPECT_EQ(meter.WriteCommand(7, range.data()), 0);  // third goes through
    EXPECT_EQ(meter.RangeCode(), 0x22);
}

TEST_F(SimulatedMeterFaultTest, AFailedDataWriteLeavesTheClockAlone)
{
    ASSERT_TRUE(OpenLink());
    const CommandFrame setClock = Frame('t', 'c');
    ASSERT_EQ(meter.WriteCommand(7, setClock.data()), 0);
    meter.FailWrite(1);
    const std::array<std::uint8_t, 32> block{0x00, 0x00, 0x12, 0x01, 0x01, 0x00, 0x30};
    EXPECT_NE(meter.WriteData(32, block.data()), 0);
    EXPECT_EQ(Status()[21], 0x26);
}

TEST_F(SimulatedMeterFaultTest, TheNthReadFailsOnce)
{
    meter.FailRead(2);
    EXPECT_TRUE(Ask(Frame('K')).has_value());
    EXPECT_FALSE(Ask(Frame('K')).has_value());
    EXPECT_TRUE(Ask(Frame('K')).has_value());
}

TEST_F(SimulatedMeterFaultTest, WrongMarkersSpoilEveryFramedReply)
{
    meter.AnswerWrongMarkers();
    struct Case {
        std::uint8_t command;
        int start, end;  // the markers a good reply has
    };
    for (const Case c : {Case{'K', 0x02, 0x03}, Case{'A', 0x02, 0x03}, Case{'P', 0x04, 0x05}}) {
        const ReplyFrame reply = Must(Frame(c.command));
        EXPECT_NE(reply[0], c.start) << c.command;
        EXPECT_NE(reply[31], c.end) << c.command;
    }
    // The memory itself keeps its markers.
    EXPECT_EQ(meter.Memory().Byte(0), 4);
    EXPECT_EQ(meter.Memory().Byte(31), 5);
}

TEST_F(SimulatedMeterFaultTest, AWrongModelNumber)
{
    meter.AnswerWrongModel();
    const ReplyFrame reply = Must(Frame('K'));
    EXPECT_FALSE(reply[23] == '5' && reply[24] == '7' && reply[25] == '4');
    EXPECT_EQ(reply[0], 0x02);
    EXPECT_EQ(reply[31], 0x03);
}

TEST_F(SimulatedMeterFaultTest, AWrongSequenceEcho)
{
    meter.AnswerWrongSequenceEcho();
    for (const int sequence : {0x00, 0x41, 0xFF})
        EXPECT_NE(Status(static_cast<std::uint8_t>(sequence))[30], sequence);
}

TEST_F(SimulatedMeterFaultTest, NonBcdClockBytesInStatusAndInformation)
{
    EXPECT_TRUE(AllBcd(Status(), {15, 16, 17, 19, 20, 21}));
    meter.AnswerNonBcdClock();
    const ReplyFrame status = Status();
    for (const int byte : {15, 16, 17, 19, 20, 21})
        EXPECT_FALSE(AllBcd(status, {byte})) << byte;
    EXPECT_EQ(status[15], 0x5A);  // the meter's "no clock"
    const ReplyFrame info = Must(Frame('Y'));
    for (const int byte : {25, 26, 27, 28, 29, 30})
        EXPECT_FALSE(AllBcd(info, {byte})) << byte;
}

TEST_F(SimulatedMeterFaultTest, WrongEchoesOfEraseAndEeprom)
{
    meter.AnswerWrongEcho();
    const CommandFrame erase{0x02, 0x65, 0x72, 0x61, 0x73, 0x65, 0x03};
    const ReplyFrame erased = Must(erase);
    EXPECT_TRUE(std::equal(erase.begin(), erase.begin() + 6, erased.begin()));
    EXPECT_NE(erased[6], erase[6]);  // only the first six bytes echo

    const CommandFrame write = Frame('W', 0, 0, 0x40, 7);
    EXPECT_NE(Must(write)[1], write[1]);
    EXPECT_NE(Must(Frame('r', 0, 0, 0x40))[1], 'r');
}

TEST_F(SimulatedMeterFaultTest, TheSerialNumberCannotBeRead)
{
    meter.FailSerialNumber();
    ASSERT_TRUE(OpenLink());
    std::array<char, 64> buffer{};
    EXPECT_NE(meter.ReadSerialNumber(0, buffer.data(), 64), 0);
}

TEST_F(SimulatedMeterFaultTest, AShortMemoryStopsAnsweringBlocks)
{
    meter.ServeMemoryUpTo(1024);
    ASSERT_TRUE(OpenLink());
    ReplyFrame block{};
    ASSERT_TRUE(Send('P', block));
    int served = 32;
    for (int i = 0; i < 100 && Send('p', block); ++i)
        served += 32;
    EXPECT_EQ(served, 1024);
}

TEST_F(SimulatedMeterFaultTest, ACorruptedByteIsServedButNotStored)
{
    const std::uint8_t stored = meter.Memory().Byte(257);
    meter.CorruptServedByte(257, 0x00);
    meter.CorruptServedByte(9, 0x0F);
    ASSERT_TRUE(OpenLink());
    ReplyFrame block{};
    ASSERT_TRUE(Send('P', block));
    EXPECT_EQ(block[9], 0x0F);
    for (int address = 32; address <= 256; address += 32)
        ASSERT_TRUE(Send('p', block));
    EXPECT_EQ(block[1], 0x00);
    EXPECT_EQ(meter.Memory().Byte(257), stored);
}

TEST_F(SimulatedMeterFaultTest, ClearingTheFaultsMakesAGoodMeterAgain)
{
    meter.AnswerWrongMarkers();
    meter.AnswerWrongModel();
    meter.FailRead(1);
    meter.ClearFaults();
    const ReplyFrame reply = Must(Frame('K'));
    EXPECT_EQ(reply[0], 0x02);
    EXPECT_EQ(reply[25], '4');
}

TEST_F(SimulatedMeterFaultTest, AnExchangeDelayWaitsOnTheClockSeam)
{
    meter.SetExchangeDelayMs(250);
    const std::uint32_t before = clockScope.clock.tick;
    EXPECT_TRUE(Ask(Frame('K')).has_value());
    EXPECT_GT(clockScope.clock.tick - before, 250u);
    EXPECT_GT(clockScope.clock.sleeps, 0) << "the delay sleeps";
}

}  // namespace

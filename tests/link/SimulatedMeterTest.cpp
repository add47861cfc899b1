#include "SimulatedMeterFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using SimulatedMeterTest = SimulatedMeterFixture;

constexpr std::uint8_t Rec = 0x01, MaxMin = 0x04, DbA = 0x08, Fast = 0x10, Under = 0x40, Over = 0x80;

TEST_F(SimulatedMeterTest, IdentifiesItselfAsModel574)
{
    const ReplyFrame reply = Must(Frame('K'));
    EXPECT_EQ(reply[0], 0x02);
    EXPECT_EQ(reply[23], '5');
    EXPECT_EQ(reply[24], '7');
    EXPECT_EQ(reply[25], '4');
    EXPECT_EQ(reply[31], 0x03);
}

TEST_F(SimulatedMeterTest, StatusReplyCarriesEveryFieldInItsPlace)
{
    meter.HoldLevel(63.4);
    Pass(2);
    const ReplyFrame reply = Status(0x2A);

    const std::vector<std::pair<int, int>> expected = {
        {0, 0x02},        // start marker
        {1, DbA | Fast},  // not recording, MAX/MIN off, neither UNDER nor OVER
        {2, 0x00},        // memory not full
        {3, 0x88},        // 30-130 dB
        {4, 0x00},        // no MAX/MIN selection
        {5, 0x02}, {6, 0x7A},    // 63.4 dB = 634
        {11, 0x02}, {12, 0x7A},  // MAX and MIN readings follow the level while MAX/MIN is off
        {13, 0x02}, {14, 0x7A},
        {15, 0x09}, {16, 0x05}, {17, 0x14},  // 14:05:09 in BCD
        {19, 0x03}, {20, 0x09}, {21, 0x26},  // 09.03.2026
        {30, 0x2A},       // the sequence number sent in byte 5
        {31, 0x03},       // end marker
    };
    for (const auto& [byte, value] : expected)
        EXPECT_EQ(reply[byte], value) << "byte " << byte;
}

TEST_F(SimulatedMeterTest, StatusEchoesWhateverSequenceNumberItWasSent)
{
    for (const int sequence : {0x00, 0x01, 0x7F, 0x80, 0xFF})
        EXPECT_EQ(Status(static_cast<std::uint8_t>(sequence))[30], sequence);
}

TEST_F(SimulatedMeterTest, KeysChangeTheModesAsTheMetersKeysDo)
{
    struct Case {
        const char* keys;
        int flags;      // byte 1
        int range;      // byte 3
        int selection;  // byte 4
    };
    const Case cases[] = {
        {"", DbA | Fast, 0x88, 0x00},
        {"L", DbA | Fast, 0x11, 0x00},
        {"LL", DbA | Fast, 0x22, 0x00},
        {"LLL", DbA | Fast, 0x44, 0x00},
        {"LLLL", DbA | Fast, 0x88, 0x00},
        {"C", Fast, 0x88, 0x00},
        {"CC", DbA | Fast, 0x88, 0x00},
        {"F", DbA, 0x88, 0x00},
        {"FF", DbA | Fast, 0x88, 0x00},
        {"M", MaxMin | DbA | Fast, 0x88, 0x11},
        {"MM", MaxMin | DbA | Fast, 0x88, 0x22},
        {"MMM", MaxMin | DbA | Fast, 0x88, 0x44},
        {"MMMM", MaxMin | DbA | Fast, 0x88, 0x11},
        {"MN", DbA | Fast, 0x88, 0x00},
        {"N", DbA | Fast, 0x88, 0x00},
        {"R", Rec | DbA | Fast, 0x88, 0x00},
        {"RR", DbA | Fast, 0x88, 0x00},
        // While recording the range and weightings are locked, so the recording stays true.
        {"RLCF", Rec | DbA | Fast, 0x88, 0x00},
        {"RM", Rec | MaxMin | DbA | Fast, 0x88, 0x11},
        {"Q", DbA | Fast, 0x88, 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Restart();
        meter.HoldLevel(75.0);  // inside every range
        Pass(2);
        Press(c.keys);
        const ReplyFrame reply = Status();
        EXPECT_EQ(reply[1], c.flags);
        EXPECT_EQ(reply[3], c.range);
        EXPECT_EQ(reply[4], c.selection);
    }
}

TEST_F(SimulatedMeterTest, OverAndUnderFollowTheRange)
{
    struct Case {
        double level;
        const char* rangeKeys;
        int range;
        int flags;  // the UNDER and OVER bits
        int shown;  // bytes 5-6
    };
    const Case cases[] = {
        {60.0, "", 0x88, 0, 600},       {29.0, "", 0x88, Under, 300},
        {135.0, "", 0x88, Over, 1300},  {95.0, "L", 0x11, Over, 950},
        {90.0, "L", 0x11, 0, 900},      {45.0, "LL", 0x22, Under, 450},
        {105.0, "LL", 0x22, 0, 1050},   {69.9, "LLL", 0x44, Under, 699},
        {125.0, "LLL", 0x44, 0, 1250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Restart();
        Press(c.rangeKeys);
        meter.HoldLevel(c.level);
        Pass(3);
        const ReplyFrame reply = Status();
        EXPECT_EQ(reply[3], c.range);
        EXPECT_EQ(reply[1] & (Under | Over), c.flags);
        EXPECT_EQ(Word(reply, 5), c.shown);
    }
}

TEST_F(SimulatedMeterTest, MaxMinTracksTheHighestAndLowestReading)
{
    meter.HoldLevel(60.0);
    Pass(2);
    Press('M');
    meter.HoldLevel(80.0);
    Pass(2);
    meter.HoldLevel(50.0);
    Pass(2);
    meter.HoldLevel(70.0);
    Pass(2);
    ReplyFrame reply = Status();
    EXPECT_EQ(Word(reply, 5), 700);
    EXPECT_EQ(Word(reply, 11), 800);
    EXPECT_EQ(Word(reply, 13), 500);

    // Turning it on again starts from the present level.
    Press("N");
    Press("M");
    reply = Status();
    EXPECT_EQ(Word(reply, 11), 700);
    EXPECT_EQ(Word(reply, 13), 700);
}

TEST_F(SimulatedMeterTest, FastFollowsAStepFasterThanSlow)
{
    meter.HoldLevel(50.0);
    Pass(10);
    meter.HoldLevel(80.0);
    Pass(0.25);
    const int fast = Word(Status(), 5);
    Press('F');
    const int slow = Word(Status(), 5);
    EXPECT_GT(fast, 780);
    EXPECT_LT(slow, 760);
    EXPECT_GT(slow, 500);

    Pass(10);
    EXPECT_EQ(Word(Status(), 5), 800);  // SLOW gets there too
}

TEST_F(SimulatedMeterTest, CWeightingReadsHigherThanA)
{
    for (int second = 0; second < 120; second += 5) {
        Pass(5);
        const int a = Word(Status(), 5);
        Press('C');
        const int c = Word(Status(), 5);
        Press('C');
        EXPECT_GT(c, a) << "at second " << second;
    }
}

TEST_F(SimulatedMeterTest, ARoomIsQuietWithLouderEventsPassing)
{
    std::vector<int> levels;
    for (int second = 0; second < 600; ++second) {
        Pass(1);
        levels.push_back(Word(Status(), 5));
    }
    std::vector<int> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_LT(sorted[sorted.size() / 2], 450);  // mostly a quiet background
    EXPECT_GT(sorted.front(), 340);
    EXPECT_GT(sorted.back(), 600);              // with something loud now and then
    const long loudSeconds = std::count_if(levels.begin(), levels.end(), [](int l) { return l > 550; });
    EXPECT_LT(loudSeconds, 200);
}

TEST_F(SimulatedMeterTest, TheSameSeedGivesTheSameLevels)
{
    SimulatedMeter same(SimulatedMeter::DefaultSeed);
    SimulatedMeter other(99);
    int differences = 0;
    for (int step = 0; step < 300; ++step) {
        Pass(1);
        same.Advance();
        other.Advance();
        EXPECT_EQ(same.LevelTenths(), meter.LevelTenths());
        differences += other.LevelTenths() != meter.LevelTenths();
    }
    EXPECT_GT(differences, 100);
}

TEST_F(SimulatedMeterTest, CommandsWithoutAReplyLeaveNothingToRead)
{
    for (const std::uint8_t command : {'Q', 'R', 'L', 'M', 'N', 'C', 'F', 'q', 't', 'Z'})
        EXPECT_FALSE(Ask(Frame(command)).has_value()) << command;
    // A frame without its framing bytes is ignored.
    CommandFrame torn = Frame('K');
    torn[6] = 0x00;
    EXPECT_FALSE(Ask(torn).has_value());
    torn = Frame('K');
    torn[0] = 0x00;
    EXPECT_FALSE(Ask(torn).has_value());
}

TEST_F(SimulatedMeterTest, ANewCommandReplacesAnUnreadReply)
{
    ASSERT_TRUE(OpenLink());
    const CommandFrame identify = Frame('K');
    const CommandFrame status = Frame('A', 0, 0, 0, 7);
    meter.WriteCommand(7, identify.data());
    meter.WriteCommand(7, status.data());
    ReplyFrame reply{};
    ASSERT_EQ(meter.ReadReply(32, reply.data()), 0);
    EXPECT_EQ(reply[30], 7);
    EXPECT_NE(meter.ReadReply(32, reply.data()), 0);
}

TEST_F(SimulatedMeterTest, LoggerInformationBlock)
{
    const ReplyFrame reply = Must(Frame('Y'));
    const int memoryEnd = meter.Memory().MemoryEnd();
    const std::vector<std::pair<int, int>> expected = {
        {9, 0x00}, {10, 0x04},  // four recordings
        {11, memoryEnd >> 16}, {12, (memoryEnd >> 8) & 0xFF}, {13, memoryEnd & 0xFF},
        {15, 2},                // recording interval, seconds
        {18, 0xFD},             // 94 dB calibration -0.3 dB
        {19, 0x01}, {20, 0xA4}, // 70 dB calibration 420
        {25, 0x26}, {26, 0x03}, {27, 0x09}, {28, 0x14}, {29, 0x05}, {30, 0x07},
        {31, 112},              // firmware 1.12
    };
    for (const auto& [byte, value] : expected)
        EXPECT_EQ(reply[byte], value) << "byte " << byte;
}

TEST_F(SimulatedMeterTest, EepromWritesAndReadsWithTheirEchoes)
{
    // Address 70000 = 01 11 70, data 300 keeps its low byte 0x2C.
    const CommandFrame write = Frame('W', 0x01, 0x11, 0x70, 0x2C);
    const ReplyFrame writeReply = Must(write);
    EXPECT_TRUE(std::equal(write.begin(), write.end(), writeReply.begin()));

    const ReplyFrame readReply = Must(Frame('r', 0x01, 0x11, 0x70, 0x99));
    EXPECT_EQ(readReply[0], 0x02);
    EXPECT_EQ(readReply[1], 'r');
    EXPECT_EQ(readReply[6], 0x2C);
    EXPECT_EQ(meter.Memory().Byte(70000), 0x2C);
}

TEST_F(SimulatedMeterTest, TheIntervalLivesInEepromAddresses14And15)
{
    const ReplyFrame high = Must(Frame('W', 0, 0, 0x0E, 0));
    const ReplyFrame low = Must(Frame('W', 0, 0, 0x0F, 45));
    EXPECT_EQ(high[1], 'W');
    EXPECT_EQ(low[1], 'W');
    EXPECT_EQ(meter.Memory().IntervalSetting(), 45);
    EXPECT_EQ(Must(Frame('Y'))[15], 45);
    EXPECT_EQ(Must(Frame('r', 0, 0, 0x0F))[6], 45);
}

TEST_F(SimulatedMeterTest, EepromAddressesOutsideTheMemoryGoUnanswered)
{
    EXPECT_FALSE(Ask(Frame('W', 0x02, 0x00, 0x00, 1)).has_value());
    EXPECT_FALSE(Ask(Frame('r', 0xFF, 0xFF, 0xFF)).has_value());
}

TEST_F(SimulatedMeterTest, SetClockTakesTheBlockAndKeepsTicking)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> block;  // seconds, minutes, hours, day, month, -, year
        bool afterT;
        int hour, minute, second;         // what the status shows one second later
        int month, day, year;
    };
    const Case cases[] = {
        {"new time", {0x05, 0x04, 0x03, 0x02, 0x01, 0x00, 0x30}, true, 0x03, 0x04, 0x06, 0x01, 0x02, 0x30},
        {"not BCD", {0x5A, 0x04, 0x03, 0x02, 0x01, 0x00, 0x30}, true, 0x14, 0x05, 0x08, 0x03, 0x09, 0x26},
        {"month 13", {0x05, 0x04, 0x03, 0x02, 0x13, 0x00, 0x30}, true, 0x14, 0x05, 0x08, 0x03, 0x09, 0x26},
        {"31 April", {0x05, 0x04, 0x03, 0x31, 0x04, 0x00, 0x30}, true, 0x14, 0x05, 0x08, 0x03, 0x09, 0x26},
        {"without 't'", {0x05, 0x04, 0x03, 0x02, 0x01, 0x00, 0x30}, false, 0x14, 0x05, 0x08, 0x03, 0x09, 0x26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Restart();
        ASSERT_TRUE(OpenLink());
        const CommandFrame setClock = Frame('t', 'c', 0x00);
        if (c.afterT) {
            ASSERT_EQ(meter.WriteCommand(7, setClock.data()), 0);
        }
        meter.PrepareRead();
        std::array<std::uint8_t, 32> block{};
        std::copy(c.block.begin(), c.block.end(), block.begin());
        ASSERT_EQ(meter.WriteData(32, block.data()), 0);
        Pass(1);
        const ReplyFrame reply = Status();
        EXPECT_EQ(reply[17], c.hour);
        EXPECT_EQ(reply[16], c.minute);
        EXPECT_EQ(reply[15], c.second);
        EXPECT_EQ(reply[19], c.month);
        EXPECT_EQ(reply[20], c.day);
        EXPECT_EQ(reply[21], c.year);
    }
}

TEST_F(SimulatedMeterTest, SerialNumberIsText)
{
    ASSERT_TRUE(OpenLink());
    std::array<char, 64> buffer{};
    ASSERT_EQ(meter.ReadSerialNumber(0, buffer.data(), 64), 0);
    EXPECT_STREQ(buffer.data(), "QX574-0012345");
    ASSERT_EQ(meter.ReadSerialNumber(0, buffer.data(), 6), 0);
    EXPECT_STREQ(buffer.data(), "QX574");
    EXPECT_NE(meter.ReadSerialNumber(0, buffer.data(), 0), 0);
    meter.CloseDevice();
    EXPECT_NE(meter.ReadSerialNumber(0, buffer.data(), 64), 0);
}

TEST_F(SimulatedMeterTest, NothingButTheOpenDeviceAnswers)
{
    std::array<std::uint8_t, 32> bytes{};
    const CommandFrame identify = Frame('K');
    EXPECT_NE(meter.SetTimeouts(1000, 1000), 0);
    EXPECT_NE(meter.WriteCommand(7, identify.data()), 0);
    EXPECT_NE(meter.ReadReply(32, bytes.data()), 0);
    EXPECT_NE(meter.WriteData(32, bytes.data()), 0);
    EXPECT_NE(meter.OpenDevice(0x1234, 0xE000), 0);
    ASSERT_EQ(meter.OpenDevice(0x04D9, 0xE000), 0);
    EXPECT_NE(meter.WriteCommand(6, identify.data()), 0);
    EXPECT_NE(meter.WriteCommand(7, nullptr), 0);
    EXPECT_NE(meter.ReadReply(31, bytes.data()), 0);
    EXPECT_NE(meter.ReadReply(32, nullptr), 0);
}

}  // namespace

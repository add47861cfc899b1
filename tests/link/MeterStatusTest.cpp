#include "link/MeterStatus.h"

#include <gtest/gtest.h>

namespace {

ReplyFrame Status(std::uint8_t flags, std::uint8_t selection, int level, int max, int min)
{
    ReplyFrame reply{};
    reply[0] = 0x02;
    reply[1] = flags;
    reply[3] = 0x22;
    reply[4] = selection;
    reply[5] = static_cast<std::uint8_t>(level >> 8);
    reply[6] = static_cast<std::uint8_t>(level);
    reply[11] = static_cast<std::uint8_t>(max >> 8);
    reply[12] = static_cast<std::uint8_t>(max);
    reply[13] = static_cast<std::uint8_t>(min >> 8);
    reply[14] = static_cast<std::uint8_t>(min);
    reply[31] = 0x03;
    return reply;
}

}  // namespace

TEST(MeterStatus, DecodesFlagsRangeAndClock)
{
    ReplyFrame reply = Status(0b1101'1001, 0x44, 945, 0, 0);
    reply[2] = 0x10;
    reply[15] = 0x59;
    reply[16] = 0x07;
    reply[17] = 0x23;
    reply[19] = 0x12;
    reply[20] = 0x31;
    reply[21] = 0x26;
    const MeterStatus s = DecodeMeterStatus(reply);
    EXPECT_TRUE(s.recording);
    EXPECT_FALSE(s.maxMinOn);
    EXPECT_TRUE(s.aWeighting);
    EXPECT_TRUE(s.fast);
    EXPECT_TRUE(s.under);
    EXPECT_TRUE(s.over);
    EXPECT_TRUE(s.full);
    EXPECT_EQ(s.rangeCode, 0x22);
    EXPECT_EQ(s.maxMinSelection, 0x44);
    EXPECT_EQ(s.level, 945);
    EXPECT_EQ(s.seconds, 0x59);
    EXPECT_EQ(s.minutes, 0x07);
    EXPECT_EQ(s.hours, 0x23);
    EXPECT_EQ(s.month, 0x12);
    EXPECT_EQ(s.day, 0x31);
    EXPECT_EQ(s.year, 0x26);
    EXPECT_TRUE(HasStatusMarkers(reply));
}

TEST(MeterStatus, DisplayedLevelFollowsTheMaxMinSelection)
{
    struct Case { std::uint8_t flags; std::uint8_t selection; int expected; } cases[] = {
        {0x00, 0x11, 500},  // mode off: current level whatever the selection
        {0x04, 0x00, 500}, {0x04, 0x11, 1200}, {0x04, 0x22, 350}, {0x04, 0x44, 500}, {0x04, 0x99, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selection);
        EXPECT_EQ(DisplayedLevel(DecodeMeterStatus(Status(c.flags, c.selection, 500, 1200, 350))),
                  c.expected);
    }
    // The full unsigned 16-bit range is read without sign trouble.
    EXPECT_EQ(DisplayedLevel(DecodeMeterStatus(Status(0, 0, 0xFFFF, 0, 0))), 65535);
}

TEST(MeterStatus, BcdMarkersAndModel)
{
    struct Case { std::uint8_t byte; int value; } valid[] = {{0x00, 0}, {0x09, 9}, {0x59, 59}, {0x99, 99}};
    for (const Case& c : valid)
        EXPECT_EQ(DecodeBcd(c.byte), c.value);
    for (const std::uint8_t bad : {0x0A, 0x5A, 0xA0, 0xFF})
        EXPECT_FALSE(DecodeBcd(bad).has_value()) << int(bad);

    ReplyFrame reply{};
    EXPECT_FALSE(HasStatusMarkers(reply));
    reply[23] = '5';
    reply[24] = '7';
    reply[25] = '4';
    EXPECT_TRUE(IsOurModel(reply));
    reply[25] = '3';
    EXPECT_FALSE(IsOurModel(reply));
}

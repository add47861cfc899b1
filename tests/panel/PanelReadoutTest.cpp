#include "panel/PanelReadout.h"


#include <gtest/gtest.h>

TEST(PanelReadout, LevelDigits)
{
    using Slots = std::array<int, 4>;
    struct Case { int level; Slots expected; } cases[] = {
        {945, {BlankDigitSlot, 9, 4, 5}},   // 94.5 dB
        {1200, {1, 2, 0, 0}},               // 120.0 dB
        {0, {BlankDigitSlot, 0, 0, 0}},
        {53, {BlankDigitSlot, 0, 5, 3}},    // leading zeros below the thousands are shown
        {9999, {9, 9, 9, 9}},
        {10000, {DashSlot, DashSlot, DashSlot, DashSlot}},  // more than four digits hold
        {65535, {DashSlot, DashSlot, DashSlot, DashSlot}},
        {-1, {DashSlot, DashSlot, DashSlot, DashSlot}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LevelDigitSlots(c.level), c.expected) << c.level;
}

TEST(PanelReadout, RangeLabelsAndBarWidth)
{
    struct Case { std::uint8_t code; int level; const char* low; const char* high; int width; } cases[] = {
        {0x11, 1300, "30", "90", 156},  // above the range: the whole scale, no wider
        {0x22, 4095, "50", "110", 156},
        {0x88, 65535, "30", "130", 156},
        {0x11, 300, "30", "90", 4},
        {0x11, 301, "30", "90", 4},
        {0x11, 900, "30", "90", 154},
        {0x22, 0, "50", "110", 4},
        {0x22, 783, "50", "110", 74},
        {0x44, 1300, "70", "130", 154},
        {0x88, 1300, "30", "130", 154},
        {0x88, 650, "30", "130", 56},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        const auto bar = RangeBarFor(c.code, c.level);
        ASSERT_TRUE(bar.has_value());
        EXPECT_EQ(bar->low, c.low);
        EXPECT_EQ(bar->high, c.high);
        EXPECT_EQ(bar->width, c.width);
    }
    EXPECT_FALSE(RangeBarFor(0x00, 500).has_value());
    EXPECT_FALSE(RangeBarFor(0x33, 500).has_value());
}

TEST(PanelReadout, ClockDigitsStopAtTheFirstByteThatIsNotBcd)
{
    MeterStatus status;
    status.hours = 0x23;
    status.minutes = 0x07;
    status.seconds = 0x59;
    const int s = SmallDigitSlot;
    EXPECT_EQ(ClockDigitSlots(status), (std::vector<int>{s + 2, s + 3, s + 0, s + 7, s + 5, s + 9}));
    status.minutes = 0x7B;
    EXPECT_EQ(ClockDigitSlots(status), (std::vector<int>{s + 2, s + 3}));
    status.hours = 0xF0;
    EXPECT_TRUE(ClockDigitSlots(status).empty());

    EXPECT_FALSE(ClockIsHidden(status));
    status.seconds = ClockHidden;
    EXPECT_TRUE(ClockIsHidden(status));
}

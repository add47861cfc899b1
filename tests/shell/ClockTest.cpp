#include "FakeClock.h"
#include "shell/Clock.h"

#include <gtest/gtest.h>

TEST(DelayMs, WaitsUntilMoreThanTheTimeHasPassed)
{
    ScopedFakeClock fake;
    fake.clock.tick = 5000;
    DelayMs(500);
    // Reads 5000 as the start, then 5001 ... 5501: the first reading more than 500 later.
    EXPECT_EQ(fake.clock.tick, 5502u);
}

TEST(DelayMs, SurvivesTheWrapOfTheTickCount)
{
    ScopedFakeClock fake;
    fake.clock.tick = 0xFFFFFF00u;  // 256 ms before the wrap
    fake.clock.tickStep = 7;
    DelayMs(500);
    const std::uint32_t waited = fake.clock.tick - 7 - 0xFFFFFF00u;
    EXPECT_GT(waited, 500u);
    EXPECT_LT(waited, 510u);
}

TEST(DelayMs, ZeroStillWaitsForTheTickToMove)
{
    ScopedFakeClock fake;
    DelayMs(0);
    EXPECT_EQ(fake.clock.tickReads, 2);  // the start, then one tick later
}

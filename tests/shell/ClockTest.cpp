#include "FakeClock.h"
#include "shell/Clock.h"

#include <gtest/gtest.h>

// DelayMs ends at the first reading of the tick count more than ms after its start, and
// sleeps between readings instead of spinning: a few readings per sleep step at most.
TEST(DelayMs, SleepsInShortStepsUntilMoreThanTheTimeHasPassed)
{
    struct Case {
        const char* name;
        std::uint32_t start;
        std::uint32_t step;  // the tick count's move on every reading
        std::uint32_t ms;
    } cases[] = {
        {"half a second", 5000, 1, 500},
        {"across the tick count's wrap", 0xFFFFFF00u, 7, 500},
        {"a step that is not a whole sleep", 1000, 1, 25},
        {"zero still waits for the tick to move", 1000, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedFakeClock fake;
        fake.clock.tick = c.start;
        fake.clock.tickStep = c.step;
        DelayMs(c.ms);
        const std::uint32_t lastReading = fake.clock.tick - c.step;
        const std::uint32_t waited = lastReading - c.start;
        EXPECT_GT(waited, c.ms);
        EXPECT_LE(waited, c.ms + c.step + 1) << "the last sleep ends just past the time";
        EXPECT_LE(fake.clock.tickReads, static_cast<int>(c.ms / SleepStepMs) + 3);
        EXPECT_EQ(fake.clock.sleeps, fake.clock.tickReads - 2);
    }
}

#include "leq/Exclusions.h"
#include "leq/WallClockMs.h"
#include "SurveyRecording.h"

#include <gtest/gtest.h>

// An exclusion holds its start and not its end, to the millisecond; overlapping ones merge.
TEST(Exclusions, SpansHoldTheirStartNotTheirEnd)
{
    const std::vector<Exclusion> exclusions{
        {At("2024-05-06 12:00:00"), At("2024-05-06 12:00:10"), "dog"},
        {At("2024-05-06 12:00:05"), At("2024-05-06 12:00:20"), "dog again"},
        {At("2024-05-06 13:00:00"), At("2024-05-06 12:59:00"), "backwards: nothing"},
    };
    const ExcludedTimes excluded(exclusions);
    struct Case {
        const char* time;
        double extraSeconds;
        bool inside;
    } cases[] = {
        {"2024-05-06 11:59:59", 0.999, false}, {"2024-05-06 12:00:00", 0.0, true},
        {"2024-05-06 12:00:12", 0.0, true},    {"2024-05-06 12:00:19", 0.999, true},
        {"2024-05-06 12:00:20", 0.0, false},   {"2024-05-06 12:59:30", 0.0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(excluded.Contains(*WallClockMs(At(c.time) + c.extraSeconds * OneSecond)), c.inside) << c.time;

    // A time summed from many small steps is taken to the millisecond.
    SurveyRecording recording("2024-05-06 11:59:50", 0.1);
    recording.Add(60.0f, 300);  // 11:59:50.0 to 12:00:19.9
    const KeptPoints kept = WithoutExclusions(recording.times, recording.levels, exclusions);
    EXPECT_EQ(kept.times.size(), 100u);  // 10 s before the exclusions, none after them
    EXPECT_EQ(*WallClockMs(kept.times.back()), *WallClockMs(At("2024-05-06 11:59:59")) + 900);
}

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

// Each exclusion's removed time counts the measured samples it holds; the total counts a sample
// in overlapping exclusions once: 10:00-10:40 and 10:20-11:00 of one sample a second remove
// 2400 s and 2400 s each, and 3600 s together, not 4800 s.
TEST(Exclusions, OverlappingExclusionsRemoveTheirUnionOnce)
{
    SurveyRecording hour("2024-05-06 10:00:00", 1.0);
    hour.Add(50.0f, 3600).Add(0.0f, 60);  // the last minute not measured
    const std::vector<Exclusion> exclusions{
        {At("2024-05-06 10:00:00"), At("2024-05-06 10:40:00"), "works"},
        {At("2024-05-06 10:20:00"), At("2024-05-06 11:01:00"), "works again"},
        {At("2024-05-06 12:00:00"), At("2024-05-06 11:00:00"), "reversed: holds nothing"},
    };
    const RemovedTime removed = TimeRemovedByExclusions(hour.times, hour.levels, 1.0, exclusions);
    ASSERT_EQ(removed.each.size(), 3u);
    EXPECT_DOUBLE_EQ(removed.each[0], 2400.0);
    EXPECT_DOUBLE_EQ(removed.each[1], 2400.0);
    EXPECT_DOUBLE_EQ(removed.each[2], 0.0);
    EXPECT_DOUBLE_EQ(removed.total, 3600.0);
}

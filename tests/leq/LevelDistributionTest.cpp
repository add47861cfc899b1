#include "leq/LevelDistribution.h"
#include "SurveyRecording.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    double low, high, percent, cumulative;
};

void ExpectRows(const std::vector<DistributionRow>& rows, std::initializer_list<Row> expected)
{
    ASSERT_EQ(rows.size(), expected.size());
    std::size_t k = 0;
    for (const Row& e : expected) {
        const DistributionRow& row = rows[k++];
        SCOPED_TRACE(e.low);
        EXPECT_NEAR(row.low, e.low, 1e-9);
        EXPECT_NEAR(row.high, e.high, 1e-9);
        EXPECT_NEAR(row.percent, e.percent, 0.01);
        EXPECT_NEAR(row.cumulativePercent, e.cumulative, 0.01);
    }
}

}  // namespace

TEST(LevelDistribution, ClassesFromTheLowestToTheHighestWithTheEmptyOnesBetween)
{
    SurveyRecording recording("2024-05-06 12:00:00", 1.0);
    recording.Add({70.0f, 70.05f, 70.1f, 70.15f, 71.9f, 73.0f, 0.0f});  // the 0 is no measurement
    // 1 dB: 70 holds 4 of 6, 71 one, 72 none, 73 one; at or above: 6, 2, 1, 1 of 6.
    ExpectRows(ComputeLevelDistribution(recording.Series(), 1.0), {
        {70.0, 71.0, 66.67, 100.0},
        {71.0, 72.0, 16.67, 33.33},
        {72.0, 73.0, 0.0, 16.67},
        {73.0, 74.0, 16.67, 16.67},
    });
}

// A level on a class bound is in the class it starts, however it was stored: 70.1 as a float
// is 70.0999985, which a plain floor(L / w) would put in [70.0, 70.1).
TEST(LevelDistribution, ALevelOnABoundFallsInTheClassItStarts)
{
    struct Case {
        float level;
        double width, low;
    } cases[] = {
        {70.0f, 0.1, 70.0}, {70.1f, 0.1, 70.1}, {70.05f, 0.1, 70.0}, {70.2f, 0.1, 70.2},
        {72.5f, 0.5, 72.5}, {72.4f, 0.5, 72.0}, {75.0f, 5.0, 75.0}, {74.9f, 5.0, 70.0},
        {20.0f, 0.3, 19.8}, {140.0f, 1.0, 140.0},
    };
    for (const Case& c : cases) {
        SurveyRecording recording("2024-05-06 12:00:00", 1.0);
        recording.Add(c.level);
        const std::vector<DistributionRow> rows = ComputeLevelDistribution(recording.Series(), c.width);
        ASSERT_EQ(rows.size(), 1u) << c.level;
        EXPECT_NEAR(rows[0].low, c.low, 1e-9) << c.level << " in " << c.width;
    }
}

TEST(LevelDistribution, NothingForNoSamplesOrAWidthOutOfRange)
{
    SurveyRecording recording("2024-05-06 12:00:00", 1.0);
    recording.Add(60.0f).Exclude("2024-05-06 12:00:00", "2024-05-06 12:00:01", "door");
    EXPECT_TRUE(ComputeLevelDistribution(recording.Series(), 1.0).empty());
    recording.exclusions.clear();
    EXPECT_TRUE(ComputeLevelDistribution(recording.Series(), 0.05).empty());
    EXPECT_TRUE(ComputeLevelDistribution(recording.Series(), 5.5).empty());
    EXPECT_TRUE(ComputeLevelDistribution(recording.Series(), std::nan("")).empty());
}

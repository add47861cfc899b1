#include "logger/ChangeDataSetTime.h"

#include "GoldenMemory.h"

#include <gtest/gtest.h>

namespace {

TEST(ChangeDataSetTime, MovesOneSetsTimesAndNothingElse)
{
    const DecodedMemory decoded = DecodeGolden("memory_back_to_back.hex");
    ASSERT_TRUE(decoded.table);
    DataSetTable table = *decoded.table;

    // Set 2 of the list (index 1, interval 2 s) to 2021-01-01 08:00:00.
    const double newStart = Day(2021, 1, 1, 8, 0, 0);
    ASSERT_TRUE(ChangeDataSetTime(table, 1, newStart));

    std::vector<DataSet> sets = BackToBackSets();
    sets[1].startTime = newStart;
    std::vector<double> times = BackToBackTimes();
    for (int k = 0; k < 4; ++k)
        times[static_cast<std::size_t>(3 + k)] = newStart + k * 2 / 86400.0;
    ExpectTable(table, sets, BackToBackLevels(), times);
    EXPECT_NEAR(table.times[3 + 3], Day(2021, 1, 1, 8, 0, 6), SameTime);
}

TEST(ChangeDataSetTime, NoSuchSetChangesNothing)
{
    const DecodedMemory decoded = DecodeGolden("memory_back_to_back.hex");
    ASSERT_TRUE(decoded.table);
    for (const int set : {-1, 4}) {
        DataSetTable table = *decoded.table;
        EXPECT_FALSE(ChangeDataSetTime(table, set, Day(2021, 1, 1))) << set;
        ExpectTable(table, BackToBackSets(), BackToBackLevels(), BackToBackTimes());
    }
}

}  // namespace

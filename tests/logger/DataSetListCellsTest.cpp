#include "logger/DataSetListCells.h"

#include "GoldenMemory.h"

#include <gtest/gtest.h>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

TEST(DataSetListCells, RateAndFlagColumns)
{
    struct Case {
        int interval;
        std::uint8_t flags;
        const char* rate;
        const char* weighting;
        const char* response;
        const char* range;
    } cases[] = {
        {5, 0x07, "00:05", "dBA", "FAST", "50-110"},
        {60, 0x0C, "01:00", "dBC", "SLOW", "30-130"},
        {0, 0x09, "00:00", "dBC", "FAST", "70-130"},
        {59, 0x00, "00:59", "dBC", "SLOW", "30-90"},
        {2, 0xF2, "00:02", "dBA", "SLOW", "30-90"},  // bits 4-7 mean nothing
        {754, 0x03, "12:34", "dBA", "FAST", "30-90"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        DataSet set;
        set.interval = c.interval;
        set.flags = c.flags;
        const auto cells = DataSetListCells(set, 0, English);
        EXPECT_EQ(cells[3], c.rate);
        EXPECT_EQ(cells[5], c.weighting);
        EXPECT_EQ(cells[6], c.response);
        EXPECT_EQ(cells[7], c.range);
    }
}

TEST(DataSetListCells, AWholeRowInTwoLocales)
{
    DataSet set;
    set.startTime = Day(2021, 3, 2, 23, 59, 58);
    set.interval = 5;
    set.sampleCount = 1234;
    set.flags = 0x09;
    const std::array<QString, 8> english{"4", "3/2/2021", "23:59:58", "00:05", "1234",
                                         "dBC", "FAST", "70-130"};
    EXPECT_EQ(DataSetListCells(set, 3, English), english);
    const std::array<QString, 8> german{"4", "02.03.2021", "23:59:58", "00:05", "1234",
                                        "dBC", "FAST", "70-130"};
    EXPECT_EQ(DataSetListCells(set, 3, German), german);
}

TEST(DataSetListCells, StartTimesAreRoundedForDisplay)
{
    // A start with more than half a second carries into the next second, and day.
    struct Case { double start; const char* date; const char* time; } cases[] = {
        {Day(2023, 12, 31, 23, 59, 59, 600), "1/1/2024", "00:00:00"},
        {Day(2023, 12, 31, 23, 59, 59, 500), "12/31/2023", "23:59:59"},
        {Day(2023, 7, 15, 14, 30, 45, 250), "7/15/2023", "14:30:45"},
    };
    for (const Case& c : cases) {
        DataSet set;
        set.startTime = c.start;
        const auto cells = DataSetListCells(set, 0, English);
        EXPECT_EQ(cells[1], c.date);
        EXPECT_EQ(cells[2], c.time);
        EXPECT_EQ(DataSetDateText(c.start, English), c.date);
        EXPECT_EQ(DataSetTimeText(c.start), c.time);
    }
}

}  // namespace

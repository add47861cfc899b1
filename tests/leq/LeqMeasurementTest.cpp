#include "leq/LeqMeasurement.h"
#include "link/MeterReplies.h"
#include "link/MeterStatus.h"
#include "QStringPrinter.h"
#include "shell/Formats.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

double Days(int y, int mo, int d, int h, int mi, int s)
{
    return DaysFromDateTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s)));
}

// The computer's clock, distinct from every meter time below.
double ComputerNow() { return Days(2024, 5, 16, 15, 30, 0); }

// A status reply of the meter showing `tenths` at 2024-05-17 10:00:00 + second.
ReplyFrame Reading(int second, int tenths)
{
    StatusFields fields;
    fields.levelTenths = tenths;
    fields.clock = {2024, 5, 17, 10, second / 60, second % 60};
    return StatusReply(fields);
}

// Polls a measurement the way the window does and keeps what it was asked to show.
struct Measuring {
    LeqMeasurement measurement;
    std::vector<LeqRow> rows;
    std::vector<QString> logLines;
    std::vector<QString> timeLeftTexts;
    LeqPollResult last;

    explicit Measuring(std::optional<std::int32_t> seconds = 86400)
    {
        StartLeqMeasurement(measurement, seconds);
    }

    LeqPollResult Poll(const ReplyFrame& reply, bool readOk = true)
    {
        last = PollLeqMeasurement(measurement, readOk, reply, ComputerNow(), English);
        if (!last.logLine.isEmpty())
            logLines.push_back(last.logLine);
        if (last.timeLeftText)
            timeLeftTexts.push_back(*last.timeLeftText);
        if (last.completedRow) {
            EXPECT_EQ(last.rowNumber, static_cast<std::int32_t>(rows.size() + 1));
            rows.push_back(*last.completedRow);
        }
        return last;
    }

    // The opening reading of `second`, then the rest of its readings.
    void Second(int second, std::vector<int> tenths)
    {
        for (const int t : tenths)
            if (!last.ended)
                Poll(Reading(second, t));
    }

    std::array<QString, 5> Cells(std::size_t row) const
    {
        return LeqRowCells(rows.at(row), static_cast<std::int32_t>(row + 1), English);
    }
};

}  // namespace

TEST(LeqMeasurement, TenSecondsGiveTenRowsAndEnd)
{
    Measuring run(LeqDurations[0].seconds);
    for (int second = 0; second <= 10 && !run.last.ended; ++second)
        run.Second(second, {650, 652, 652});
    EXPECT_TRUE(run.last.ended);
    EXPECT_TRUE(run.last.message.isEmpty());
    EXPECT_EQ(run.rows.size(), 10u);
    ASSERT_EQ(run.timeLeftTexts.size(), 10u);
    EXPECT_EQ(run.timeLeftTexts.front(), "0:0:9");
    EXPECT_EQ(run.timeLeftTexts.back(), "0:0:0");
    EXPECT_EQ(run.Cells(0), (std::array<QString, 5>{"1", "5/17/2024", "10:00:00 AM", "65.2", "65.2"}));
    EXPECT_EQ(run.Cells(9)[0], "10");
    EXPECT_EQ(run.Cells(9)[2], "10:00:09 AM");
    EXPECT_EQ(run.logLines.size(), 31u);  // every reading, the closing one included
}

TEST(LeqMeasurement, EachSecondAveragesTheReadingsAfterItsOpeningOne)
{
    Measuring run;
    // The opening readings 60.0 and 90.0 must not move the means.
    run.Second(0, {600, 700, 700});
    run.Second(1, {900, 800, 800, 800});
    const LeqPollResult second1 = run.last;
    run.Second(2, {500});
    ASSERT_EQ(run.rows.size(), 2u);
    EXPECT_EQ(run.Cells(0)[3], "70.0");
    EXPECT_EQ(run.Cells(0)[4], "70.0");
    EXPECT_EQ(run.Cells(1)[3], "80.0");
    EXPECT_EQ(run.Cells(1)[4], "77.4");  // 10 log10((10^7 + 10^8) / 2)
    EXPECT_EQ(run.last.leqText, "77.4");
    EXPECT_EQ(run.last.rateText, "3/sec");
    EXPECT_FALSE(second1.rateText.has_value());  // nothing shows before a second ends
    EXPECT_EQ(second1.logLine, "10:00:01 AM\t80.0\r\n");
}

TEST(LeqMeasurement, ASecondWithoutReadingsLeavesAGapRowAndStillCounts)
{
    Measuring run;
    run.Second(0, {700, 700, 700});
    run.Second(1, {700});  // only the reading that opened it
    run.Second(2, {800, 800});
    const LeqPollResult afterGap = run.Poll(Reading(3, 800));
    ASSERT_EQ(run.rows.size(), 3u);
    EXPECT_EQ(run.Cells(1), (std::array<QString, 5>{"2", "5/17/2024", "10:00:01 AM", "", ""}));
    // n = 3 with the gap: 10 log10((2 x 10^7 + 10^8) / 3) = 76.0; without it, it would be 77.4.
    EXPECT_EQ(run.Cells(2)[4], "76.0");
    EXPECT_EQ(afterGap.leqText, "76.0");
    EXPECT_EQ(run.measurement.secondCount, 3);
}

TEST(LeqMeasurement, AMeterClockThatCannotBeReadTakesTheComputersTime)
{
    struct Case { const char* name; int byte; std::uint8_t value; } cases[] = {
        {"seconds not BCD", ReplyLayout::SecondByte, 0x5A},
        {"hours not BCD", ReplyLayout::HourByte, 0x1F},
        {"month 13", ReplyLayout::MonthByte, 0x13},
        {"31 April", ReplyLayout::MonthByte, 0x04},  // the day byte below is 0x31
        {"hour 24", ReplyLayout::HourByte, 0x24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Measuring run;
        run.Second(0, {700, 700});
        ReplyFrame unreadable = Reading(1, 725);
        unreadable[ReplyLayout::DayByte] = 0x31;
        unreadable[c.byte] = c.value;
        const LeqPollResult result = run.Poll(unreadable);
        EXPECT_EQ(result.logLine, "3:30:00 PM\t72.5\r\n");
        // The raw seconds byte still tells a new second, and that second's row carries the
        // computer's date and time.
        ASSERT_EQ(run.rows.size(), 1u);
        run.Poll(Reading(2, 700));
        ASSERT_EQ(run.rows.size(), 2u);
        EXPECT_EQ(run.Cells(1)[1], "5/16/2024");
        EXPECT_EQ(run.Cells(1)[2], "3:30:00 PM");
    }
}

TEST(LeqMeasurement, MoreThanFiftyFailedReadsEndIt)
{
    Measuring run;
    run.Second(0, {700});
    // Failed reads count for the whole measurement, not only in a row.
    for (int i = 0; i < 25; ++i)
        EXPECT_FALSE(run.Poll(Reading(0, 0), false).ended);
    run.Second(0, {700, 700});
    for (int i = 0; i < 25; ++i)
        EXPECT_FALSE(run.Poll(Reading(0, 0), false).ended);
    EXPECT_TRUE(run.last.logLine.isEmpty());
    const LeqPollResult fiftyFirst = run.Poll(Reading(0, 0), false);
    EXPECT_TRUE(fiftyFirst.ended);
    EXPECT_EQ(fiftyFirst.message, "LEQ fail , try to start again !!");
    EXPECT_FALSE(fiftyFirst.completedRow.has_value());
}

TEST(LeqMeasurement, AReplyWithoutStatusMarkersIsAFailedRead)
{
    Measuring run;
    run.Second(0, {700, 700});
    // A memory block that came late, say: its bytes 5-6 are no level, its 15-21 no clock.
    ReplyFrame stranger = Reading(1, 900);
    stranger[0] = 0x04;
    stranger[31] = 0x05;
    const LeqPollResult poll = run.Poll(stranger);
    EXPECT_TRUE(poll.logLine.isEmpty());
    EXPECT_FALSE(poll.completedRow.has_value()) << "it opens no second";
    EXPECT_EQ(run.measurement.failedReads, 1);
    EXPECT_EQ(run.measurement.readingsInSecond, 1);
}

TEST(LeqMeasurement, StartBeginsAnew)
{
    Measuring run(600);
    run.Second(0, {700, 700});
    run.Second(1, {700});
    for (int i = 0; i < 5; ++i)
        run.Poll(Reading(1, 0), false);

    StartLeqMeasurement(run.measurement, std::nullopt);  // no duration chosen: it stays
    EXPECT_EQ(run.measurement.timeLeft, 599);
    EXPECT_EQ(run.measurement.row, 1);
    EXPECT_EQ(run.measurement.failedReads, 0);
    EXPECT_EQ(run.measurement.secondCount, 0);
    EXPECT_FALSE(run.measurement.started);

    StartLeqMeasurement(run.measurement, 60);
    EXPECT_EQ(run.measurement.timeLeft, 60);
}

TEST(LeqMeasurement, TimeLeftIsUnpaddedHoursMinutesSeconds)
{
    struct Case { std::int32_t seconds; const char* text; } cases[] = {
        {9, "0:0:9"}, {60, "0:1:0"}, {3661, "1:1:1"}, {86399, "23:59:59"},
        {86400, "24:0:0"}, {0, "0:0:0"}, {-1, "0:0:0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeLeftText(c.seconds), c.text) << c.seconds;
}

TEST(LeqMeasurement, SaveWritesDateTimeSplAndLeqEachFollowedByATab)
{
    const std::vector<LeqRow> rows{
        {Days(2024, 5, 17, 10, 0, 0), 70.04f, 70.04f},
        {Days(2024, 5, 17, 10, 0, 1)},  // no level
        {Days(2024, 5, 17, 10, 0, 2), 80.0f, 76.02f},
    };
    EXPECT_EQ(LeqTableText(rows, English),
              "5/17/2024\t10:00:00 AM\t70.0\t70.0\t\r\n"
              "5/17/2024\t10:00:01 AM\t\t\t\r\n"
              "5/17/2024\t10:00:02 AM\t80.0\t76.0\t\r\n");
    EXPECT_EQ(LeqTableText(std::span(rows).first(1), German), "17.05.2024\t10:00:00\t70,0\t70,0\t\r\n");
    EXPECT_TRUE(LeqTableText({}, English).isEmpty());
}

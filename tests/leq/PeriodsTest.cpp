#include "leq/Periods.h"
#include "QStringPrinter.h"
#include "SurveyRecording.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

struct Expected {
    const char* start;
    int valid;
    double coverage, leq, lmax, lmin, l10, l50, l90, sel;
};

void ExpectRows(const std::vector<PeriodRow>& rows, std::initializer_list<Expected> expected)
{
    ASSERT_EQ(rows.size(), expected.size());
    std::size_t r = 0;
    for (const Expected& e : expected) {
        const PeriodRow& row = rows[r++];
        SCOPED_TRACE(e.start);
        EXPECT_EQ(IsoDateTimeText(row.start), e.start);
        EXPECT_EQ(row.validSamples, e.valid);
        EXPECT_DOUBLE_EQ(std::round(row.coveragePercent * 10.0) / 10.0, e.coverage);
        const std::optional<double> levels[] = {row.leq, row.lmax, row.lmin, row.l10, row.l50, row.l90, row.sel};
        const double wanted[] = {e.leq, e.lmax, e.lmin, e.l10, e.l50, e.l90, e.sel};
        for (int k = 0; k < 7; ++k) {
            if (std::isnan(wanted[k]))
                EXPECT_FALSE(levels[k].has_value()) << k;
            else
                EXPECT_DOUBLE_EQ(Shown(levels[k]), wanted[k]) << k;
        }
    }
}

const double None = std::nan("");

}  // namespace

// A recording started at 10:07, one sample a minute: 10:07-10:14 at 60 dB, nothing from 10:15
// to 10:29, 10:30-10:44 ten samples at 70 dB and five at 80 dB, 10:45-10:52 at 50 dB.
TEST(Periods, FifteenMinuteRowsAlignedToTheClockWithPartialEndsAndAGap)
{
    SurveyRecording recording("2024-05-06 10:07:00", 60.0);
    recording.Add(60.0f, 8).Skip(15).Add(70.0f, 10).Add(80.0f, 5).Add(50.0f, 8);
    const std::optional<std::vector<PeriodRow>> rows = ComputePeriods(recording.Series(), 15);
    ASSERT_TRUE(rows);
    ExpectRows(*rows, {
        // 8 x 60 s / 900 s = 53.3 %; SEL 60 + 10 log10(480) = 86.8
        {"2024-05-06 10:00:00", 8, 53.3, 60.0, 60.0, 60.0, 60.0, 60.0, 60.0, 86.8},
        {"2024-05-06 10:15:00", 0, 0.0, None, None, None, None, None, None, None},
        // Leq 10 log10((10 x 10^7 + 5 x 10^8) / 15) = 10 log10(4e7) = 76.0; sorted high to low,
        // L10 is the 2nd of 15 (80), L50 the 8th (70), L90 the 14th (70);
        // SEL 76.02 + 10 log10(900) = 105.6. The sample at exactly 10:30:00 is in this row.
        {"2024-05-06 10:30:00", 15, 100.0, 76.0, 80.0, 70.0, 80.0, 70.0, 70.0, 105.6},
        {"2024-05-06 10:45:00", 8, 53.3, 50.0, 50.0, 50.0, 50.0, 50.0, 50.0, 76.8},
    });
    EXPECT_EQ(IsoDateTimeText((*rows)[3].end), "2024-05-06 11:00:00");
}

TEST(Periods, EverySampleFallsInThePeriodThatHoldsItsTime)
{
    struct Case {
        int minutes;
        const char* time;
        const char* start;
    } cases[] = {
        {15, "2024-05-06 10:15:00", "2024-05-06 10:15:00"},  // on the bound: the later period
        {15, "2024-05-06 10:14:59", "2024-05-06 10:00:00"},
        {1, "2024-05-06 23:59:59", "2024-05-06 23:59:00"},
        {60, "2024-05-06 00:00:00", "2024-05-06 00:00:00"},
        {1440, "2024-05-06 23:59:59", "2024-05-06 00:00:00"},  // a day runs from midnight
        {30, "1899-12-29 12:10:00", "1899-12-29 12:00:00"},    // before the day count's zero
    };
    for (const Case& c : cases) {
        SurveyRecording recording("2024-05-06 00:00:00", 1.0);
        recording.AddAt(c.time, 60.0f);
        const auto rows = ComputePeriods(recording.Series(), c.minutes);
        ASSERT_TRUE(rows && rows->size() == 1) << c.time;
        EXPECT_EQ(IsoDateTimeText(rows->front().start), c.start) << c.time;
    }
}

TEST(Periods, LeavesOutExclusionsAndInvalidLevelsButKeepsTheirRows)
{
    // One sample a minute from 10:00; the loud one at 10:20 is excluded, 10:40 is stored as 0.
    SurveyRecording recording("2024-05-06 10:00:00", 60.0);
    recording.Add(60.0f, 20).Add(95.0f).Add(60.0f, 19).Add(0.0f);
    recording.Exclude("2024-05-06 10:20:00", "2024-05-06 10:21:00", "car door");
    const auto rows = ComputePeriods(recording.Series(), 15);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ((*rows)[1].validSamples, 14);  // 10:15-10:29 less the excluded 10:20
    EXPECT_DOUBLE_EQ(Shown((*rows)[1].lmax), 60.0);
    EXPECT_EQ((*rows)[2].validSamples, 10);  // 10:30-10:39; 10:40 is no measurement
}

TEST(Periods, RefusesWhatItCannotTabulate)
{
    SurveyRecording recording("2024-05-06 10:00:00", 1.0);
    EXPECT_FALSE(ComputePeriods(recording.Series(), 15)) << "no samples";
    recording.Add(60.0f);
    EXPECT_FALSE(ComputePeriods(recording.Series(), 7)) << "a length not offered";
    recording.AddAt("1950-01-01 00:00:00", 60.0f);  // a stray time decades away
    EXPECT_FALSE(ComputePeriods(recording.Series(), 1));
    EXPECT_TRUE(ComputePeriods(recording.Series(), 1440)) << "as days the span is small enough";
}

// The meter's clock knows no time zone: its samples keep their wall-clock times and periods
// whatever the computer's zone does (Europe/Berlin skips 02:00-03:00 on 2024-03-31 and repeats
// it on 2024-10-27).
TEST(Periods, ADaylightSavingChangeMovesNoSample)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    for (const char* start : {"2024-03-31 01:50:00", "2024-10-27 01:50:00"}) {
        SCOPED_TRACE(start);
        SurveyRecording recording(start, 300.0);  // every 5 minutes until 03:10
        recording.Add(60.0f, 17);
        const auto rows = ComputePeriods(recording.Series(), 15);
        ASSERT_TRUE(rows);
        ASSERT_EQ(rows->size(), 6u);  // 01:45, 02:00, 02:15, 02:30, 02:45, 03:00
        const QString date = QString::fromLatin1(start).left(11);
        EXPECT_EQ(IsoDateTimeText((*rows)[1].start), date + "02:00:00");
        EXPECT_EQ(IsoDateTimeText((*rows)[5].start), date + "03:00:00");
        const int counts[] = {2, 3, 3, 3, 3, 3};
        for (int r = 0; r < 6; ++r)
            EXPECT_EQ((*rows)[r].validSamples, counts[r]) << r;
    }
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    tzset();
}

#include "leq/DayEveningNight.h"
#include "QStringPrinter.h"
#include "SurveyRecording.h"

#include <gtest/gtest.h>

// A whole day at one level: the penalties alone raise Lden by
// 10 log10((12 + 4 x 10^0.5 + 8 x 10) / 24) = 10 log10(4.360) = 6.4 dB, and Ldn by
// 10 log10((15 + 9 x 10) / 24) = 10 log10(4.375) = 6.4 dB.
TEST(DayEveningNight, ASteadyDayGivesLdenSixPointFourAboveIt)
{
    SurveyRecording recording("2024-05-06 07:00:00", 60.0);
    recording.Add(60.0f, 24 * 60);  // until 06:59 the next morning: all of 6 May's parts
    const std::vector<DenRow> rows = ComputeDayEveningNight(recording.Series(), DenSettings{});
    ASSERT_EQ(rows.size(), 1u);
    const DenRow& row = rows[0];
    EXPECT_EQ(IsoDateTimeText(row.date), "2024-05-06 00:00:00");
    EXPECT_DOUBLE_EQ(Shown(row.lday), 60.0);
    EXPECT_DOUBLE_EQ(Shown(row.levening), 60.0);
    EXPECT_DOUBLE_EQ(Shown(row.lnight), 60.0);
    EXPECT_DOUBLE_EQ(Shown(row.lden), 66.4);
    EXPECT_DOUBLE_EQ(Shown(row.ldn), 66.4);
    EXPECT_DOUBLE_EQ(Shown(row.nightHighest), 60.0);
    EXPECT_DOUBLE_EQ(row.dayCoverage, 100.0);
    EXPECT_DOUBLE_EQ(row.eveningCoverage, 100.0);
    EXPECT_DOUBLE_EQ(row.nightCoverage, 100.0);
}

// Lday 50, Levening 55, Lnight 45 over a whole day of 6 May:
// Lden = 10 log10((12 x 10^5 + 4 x 10^6 + 8 x 10^5.5) / 24)
//      = 10 log10((1.2e6 + 4e6 + 2.530e6) / 24) = 10 log10(322,070) = 55.1;
// Ldn's day 07-22 holds 12 h at 50 and 3 h at 55, its night 1 h at 55 and 8 h at 45:
// Ldn = 10 log10((12e5 + 3 x 10^5.5 + 10 x (10^5.5 + 8 x 10^4.5)) / 24)
//     = 10 log10((1.2e6 + 0.9487e6 + 3.162e6 + 2.530e6) / 24) = 10 log10(326,700) = 55.1.
TEST(DayEveningNight, EachPartIsAnEnergyMeanAndThePenaltiesWeighByHours)
{
    SurveyRecording recording("2024-05-06 07:00:00", 60.0);
    recording.Add(50.0f, 12 * 60).Add(55.0f, 4 * 60).Add(45.0f, 8 * 60);
    const std::vector<DenRow> rows = ComputeDayEveningNight(recording.Series(), DenSettings{});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(Shown(rows[0].lden), 55.1);
    EXPECT_DOUBLE_EQ(Shown(rows[0].ldn), 55.1);

    // Other bounds and penalties: day 06-18 (12 h), evening 18-22 (4 h), night 22-06 (8 h),
    // no evening penalty: a steady level gives 10 log10((12 + 4 + 80) / 24) = 6.0 dB more.
    SurveyRecording steady("2024-05-06 07:00:00", 60.0);
    steady.Add(60.0f, 24 * 60);
    DenSettings settings;
    settings.day = {6 * 60, 18 * 60};
    settings.evening = {18 * 60, 22 * 60};
    settings.night = {22 * 60, 6 * 60};
    settings.eveningPenaltyDb = 0.0;
    const std::vector<DenRow> moved = ComputeDayEveningNight(steady.Series(), settings);
    ASSERT_EQ(moved.size(), 2u);  // Ldn's night 22-07 takes 06:00-06:59 of 7 May into 6 May ...
    EXPECT_DOUBLE_EQ(Shown(moved[0].lden), 66.0);
    EXPECT_EQ(IsoDateTimeText(moved[1].date), "2024-05-07 00:00:00");  // ... but Lden's day of
    EXPECT_DOUBLE_EQ(Shown(moved[1].lday), 60.0);                      // 7 May has begun
    EXPECT_FALSE(moved[1].lden);
}

// The night belongs to the date on which it starts; a date's Lden needs all three parts.
TEST(DayEveningNight, ANightAcrossMidnightBelongsToTheDateItStarts)
{
    SurveyRecording recording("2024-05-06 00:00:00", 1.0);
    recording.AddAt("2024-05-06 22:59:59", 50.0f)  // evening of 6 May
        .AddAt("2024-05-06 23:00:00", 60.0f)       // night of 6 May ...
        .AddAt("2024-05-07 00:30:00", 70.0f)
        .AddAt("2024-05-07 06:59:59", 80.0f)       // ... to its last second
        .AddAt("2024-05-07 07:00:00", 55.0f);      // day of 7 May
    DenSettings settings;
    settings.nightRank = 2;
    const std::vector<DenRow> rows = ComputeDayEveningNight(recording.Series(), settings);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(IsoDateTimeText(rows[0].date), "2024-05-06 00:00:00");
    EXPECT_FALSE(rows[0].lday);
    EXPECT_DOUBLE_EQ(Shown(rows[0].levening), 50.0);
    // 10 log10((10^6 + 10^7 + 10^8) / 3) = 10 log10(3.7e7) = 75.7
    EXPECT_DOUBLE_EQ(Shown(rows[0].lnight), 75.7);
    EXPECT_DOUBLE_EQ(Shown(rows[0].nightHighest), 70.0);  // the 2nd highest of 60, 70, 80
    EXPECT_FALSE(rows[0].lden);
    EXPECT_FALSE(rows[0].ldn) << "Ldn's day of 6 May holds nothing";
    EXPECT_NEAR(rows[0].nightCoverage, 100.0 * 3.0 / (8 * 3600), 1e-9);

    EXPECT_EQ(IsoDateTimeText(rows[1].date), "2024-05-07 00:00:00");
    EXPECT_DOUBLE_EQ(Shown(rows[1].lday), 55.0);
    EXPECT_FALSE(rows[1].lnight);
    EXPECT_FALSE(rows[1].nightHighest);

    settings.nightRank = 10;
    EXPECT_FALSE(ComputeDayEveningNight(recording.Series(), settings)[0].nightHighest) << "fewer than 10";
}

TEST(DayEveningNight, PartsAreReadFromTextAndMustGoRoundTheDay)
{
    struct Case {
        const char* text;
        std::optional<DaySpan> span;
        const char* back;
    } cases[] = {
        {"07-19", DaySpan{420, 1140}, "07-19"},
        {"23-07", DaySpan{1380, 420}, "23-07"},
        {"7:30-19", DaySpan{450, 1140}, "07:30-19"},
        {"19-24", DaySpan{1140, 0}, "19-00"},
        {"07-07", std::nullopt, ""},
        {"25-07", std::nullopt, ""},
        {"07:60-08", std::nullopt, ""},
        {"07", std::nullopt, ""},
        {"seven-nine", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const std::optional<DaySpan> span = ReadDaySpan(QString::fromLatin1(c.text));
        EXPECT_EQ(span, c.span) << c.text;
        if (span) {
            EXPECT_EQ(DaySpanText(*span), QString::fromLatin1(c.back));
        }
    }
    EXPECT_TRUE(DenSettingsProblem(DenSettings{}).isEmpty());
    DenSettings gap;
    gap.day = {6 * 60, 18 * 60};  // evening still starts at 19
    EXPECT_EQ(DenSettingsProblem(gap), "day 06-18, evening 19-23 and night 23-07 do not follow one another round the 24 hours");
    EXPECT_TRUE(ComputeDayEveningNight(SurveyRecording("2024-05-06 12:00:00", 1.0).Add(60.0f).Series(), gap).empty());
}

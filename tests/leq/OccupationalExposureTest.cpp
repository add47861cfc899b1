#include "leq/OccupationalExposure.h"
#include "QStringPrinter.h"
#include "SurveyRecording.h"

#include <gtest/gtest.h>

namespace {

// hours at one level, one sample a minute.
OccupationalExposure Steady(float level, int hours, Weighting weighting = Weighting::A,
                            Response response = Response::Fast)
{
    SurveyRecording recording("2024-05-06 08:00:00", 60.0);
    recording.Add(level, hours * 60);
    return ComputeOccupationalExposure(recording.Series(), weighting, response);
}

}  // namespace

// OSHA's dose is 100 x sum(interval / T(L)), T(L) = 8 h / 2^((L - 90) / 5).
TEST(OccupationalExposure, OshaDosesAndTheTimeWeightedAverage)
{
    const OccupationalExposure eight90 = Steady(90.0f, 8);  // 8 h / 8 h
    EXPECT_DOUBLE_EQ(Shown(eight90.oshaDosePercent), 100.0);
    EXPECT_DOUBLE_EQ(Shown(eight90.oshaTwaDb), 90.0);
    EXPECT_DOUBLE_EQ(Shown(eight90.lex8h), 90.0);
    EXPECT_DOUBLE_EQ(Shown(eight90.dose85Percent), 316.2);  // 100 x 10^((90 - 85) / 10)

    EXPECT_DOUBLE_EQ(Shown(Steady(95.0f, 4).oshaDosePercent), 100.0);  // 4 h / (8 h / 2)

    const OccupationalExposure twice = Steady(95.0f, 8);  // 200 %: TWA 16.61 log10(2) + 90 = 95.0
    EXPECT_DOUBLE_EQ(Shown(twice.oshaDosePercent), 200.0);
    EXPECT_DOUBLE_EQ(Shown(twice.oshaTwaDb), 95.0);

    // 85 dB counts for hearing conservation only: 8 h / 16 h = 50 %, its action level.
    const OccupationalExposure quieter = Steady(85.0f, 8);
    EXPECT_DOUBLE_EQ(Shown(quieter.hcDosePercent), 50.0);
    EXPECT_DOUBLE_EQ(Shown(quieter.oshaDosePercent), 0.0);
    EXPECT_FALSE(quieter.oshaTwaDb) << "no TWA of a dose of 0";
    EXPECT_DOUBLE_EQ(Shown(Steady(79.9f, 8).hcDosePercent), 0.0) << "below 80 dB counts for neither";
}

TEST(OccupationalExposure, TheVerdictNamesTheValueReachedAndWhatTheMeterCannotSay)
{
    struct Case {
        float level;
        const char* verdict;
    } cases[] = {
        {79.94f, "below the lower exposure action value (80 dB(A))"},
        {79.96f, "at or above the lower exposure action value (80 dB(A))"},  // shown as 80.0
        {85.0f, "at or above the upper exposure action value (85 dB(A))"},
        {87.0f, "at or above the exposure limit value (87 dB(A); it applies with hearing protection worn)"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(Steady(c.level, 8).verdict.startsWith(QString::fromLatin1(c.verdict))) << c.level;

    EXPECT_EQ(Steady(70.0f, 8, Weighting::A, Response::Slow).verdict,
              "below the lower exposure action value (80 dB(A)); peak sound pressure is not measured by "
              "this meter; the levels are the SLOW response as recorded");
    EXPECT_TRUE(Steady(70.0f, 8, Weighting::Unknown, Response::Unknown).verdict.endsWith(
        "which is not known here; the weighting is not recorded with these levels, which are taken as A-weighted"));
}

TEST(OccupationalExposure, CWeightedLevelsGiveNoFiguresAndSayWhy)
{
    struct Case {
        Weighting weighting;
        const char* reason;
    } cases[] = {
        {Weighting::C, "not given: the levels are C-weighted (dBC) and exposure needs A-weighted levels"},
        {Weighting::Mixed, "not given: the levels mix A- and C-weighting and exposure needs A-weighted levels"},
    };
    for (const Case& c : cases) {
        const OccupationalExposure e = Steady(95.0f, 8, c.weighting);
        EXPECT_FALSE(e.lex8h || e.dose85Percent || e.oshaDosePercent || e.oshaTwaDb || e.hcDosePercent);
        EXPECT_EQ(e.verdict, c.reason);
    }
    SurveyRecording none("2024-05-06 08:00:00", 60.0);
    none.Add(0.0f, 10);
    EXPECT_EQ(ComputeOccupationalExposure(none.Series(), Weighting::A, Response::Fast).verdict,
              "not given: no valid samples");
}

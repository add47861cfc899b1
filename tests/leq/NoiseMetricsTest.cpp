#include "leq/EmptyLevel.h"
#include "leq/GraphMetrics.h"
#include "leq/NoiseMetrics.h"
#include "QStringPrinter.h"
#include "shell/Formats.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

double Start() { return DaysFromDateTime(QDateTime(QDate(2024, 5, 17), QTime(0, 0))); }

// A recording: levels at a fixed interval from Start.
struct Series {
    std::vector<double> times;
    std::vector<float> levels;
    double interval = 1.0;

    explicit Series(double intervalSeconds = 1.0) : interval(intervalSeconds) {}
    Series& Add(float level, int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            times.push_back(Start() + static_cast<double>(times.size()) * interval * OneSecond);
            levels.push_back(level);
        }
        return *this;
    }
    NoiseMetrics Metrics() const { return ComputeNoiseMetrics(times, levels, interval); }
};

// A measure that must be given, to the one decimal the report shows.
double Shown(std::optional<double> value)
{
    EXPECT_TRUE(value.has_value());
    return std::round(value.value_or(NAN) * 10.0) / 10.0;
}

}  // namespace

TEST(NoiseMetrics, ASteadyLevelGivesThatLevelEverywhere)
{
    const NoiseMetrics m = Series().Add(75.0f, 60).Metrics();
    EXPECT_EQ(m.validSamples, 60);
    EXPECT_DOUBLE_EQ(m.seconds, 60.0);
    for (const auto& level : {m.leq, m.lmax, m.lmin, m.l5, m.l10, m.l50, m.l90, m.l95})
        EXPECT_DOUBLE_EQ(Shown(level), 75.0);
    EXPECT_DOUBLE_EQ(Shown(m.sel), 92.8);   // 75 + 10 log10(60)
    EXPECT_DOUBLE_EQ(Shown(m.lex8h), 48.2); // 75 + 10 log10(60 / 28800)
}

TEST(NoiseMetrics, LeqIsTheEnergyMeanAndDoseFollowsEightHoursAt85)
{
    EXPECT_DOUBLE_EQ(Shown(Series().Add(80.0f, 30).Add(90.0f, 30).Metrics().leq), 87.4);

    // One hour at 90 dB: 90 + 10 log10(1/8) = 81.0; 100 x 1/8 x 10^0.5 = 39.5 %.
    const NoiseMetrics hour = Series(10.0).Add(90.0f, 360).Metrics();
    EXPECT_DOUBLE_EQ(hour.seconds, 3600.0);
    EXPECT_DOUBLE_EQ(Shown(hour.lex8h), 81.0);
    EXPECT_DOUBLE_EQ(Shown(hour.dosePercent), 39.5);
    EXPECT_DOUBLE_EQ(Shown(hour.sel), 125.6);  // 90 + 10 log10(3600)
}

TEST(NoiseMetrics, PercentilesCountFromTheLoudest)
{
    // 21.0 ... 120.0 in a shuffled order: LN is the level at position N from the top.
    Series series;
    std::vector<float> levels;
    for (int i = 21; i <= 120; ++i)
        levels.push_back(static_cast<float>(i));
    std::shuffle(levels.begin(), levels.end(), std::mt19937(574));
    for (const float level : levels)
        series.Add(level);
    const NoiseMetrics m = series.Metrics();
    EXPECT_EQ(m.l5, 116.0);
    EXPECT_EQ(m.l10, 111.0);
    EXPECT_EQ(m.l50, 71.0);
    EXPECT_EQ(m.l90, 31.0);
    EXPECT_EQ(m.l95, 26.0);
    EXPECT_EQ(m.lmax, 120.0);
    EXPECT_EQ(m.lmin, 21.0);

    // With few samples the position rounds up: of 3, L10 is the loudest and L50 the second.
    const NoiseMetrics few = Series().Add(50.0f).Add(70.0f).Add(60.0f).Metrics();
    EXPECT_EQ(few.l10, 70.0);
    EXPECT_EQ(few.l50, 60.0);
    EXPECT_EQ(few.l95, 50.0);
}

TEST(NoiseMetrics, EmptyAndReplacedSamplesAreLeftOutAndCounted)
{
    Series series;
    series.Add(EmptyLevel).Add(0.0f).Add(75.0f).Add(19.9f).Add(140.1f).Add(EmptyLevel)
        .Add(NAN).Add(20.0f).Add(140.0f);
    const NoiseMetrics m = series.Metrics();
    EXPECT_EQ(m.validSamples, 3);
    EXPECT_EQ(m.emptyPoints, 2);
    EXPECT_EQ(m.replacedSamples, 4);
    EXPECT_EQ(m.lmin, 20.0);
    EXPECT_EQ(m.lmax, 140.0);
    EXPECT_DOUBLE_EQ(m.seconds, 3.0);  // only the valid samples make up T
    EXPECT_DOUBLE_EQ(Shown(m.leq), 135.2);  // 10 log10((10^2 + 10^7.5 + 10^14) / 3)
}

TEST(NoiseMetrics, NothingValidGivesNoMeasures)
{
    const NoiseMetrics m = Series().Add(EmptyLevel, 3).Add(0.0f, 2).Metrics();
    EXPECT_EQ(m.validSamples, 0);
    EXPECT_EQ(m.emptyPoints, 3);
    EXPECT_EQ(m.replacedSamples, 2);
    for (const auto& level : {m.leq, m.lmax, m.lmin, m.l5, m.l95, m.sel, m.lex8h, m.dosePercent, m.lden})
        EXPECT_FALSE(level.has_value());

    const NoiseMetrics noInterval = Series(0.0).Add(75.0f, 5).Metrics();
    EXPECT_TRUE(noInterval.leq.has_value());
    EXPECT_FALSE(noInterval.sel.has_value());
    EXPECT_FALSE(noInterval.dosePercent.has_value());
}

TEST(NoiseMetrics, LdenWeighsEveningAndNightOverADay)
{
    // One sample a minute from 00:00 to 23:59: 62 dB by day (07:00-18:59), 57 dB in the evening
    // (19:00-22:59), 49 dB at night (23:00-06:59), so Ld = 62, Le = 57, Ln = 49 and
    //   Lden = 10 log10((12 x 10^6.2 + 4 x 10^((57+5)/10) + 8 x 10^((49+10)/10)) / 24)
    //        = 10 log10((12 x 1584893 + 4 x 1584893 + 8 x 794328) / 24)
    //        = 10 log10(31712912 / 24) = 10 log10(1321371) = 61.210.
    // Held to a thousandth, so that one sample on the wrong side of 07:00, 19:00 or 23:00 shows.
    Series day(60.0);
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const int hour = minute / 60;
        day.Add(hour >= 7 && hour < 19 ? 62.0f : hour >= 19 && hour < 23 ? 57.0f : 49.0f);
    }
    EXPECT_NEAR(day.Metrics().lden.value_or(0.0), 61.2102, 0.001);

    // The same day recorded from noon to noon: the periods go by the clock, not by the time
    // since the start, so the figure is the same.
    Series noon(60.0);
    for (int minute = 0; minute < 24 * 60; ++minute)
        noon.times.push_back(Start() + 0.5 + minute * 60.0 * OneSecond);
    for (int minute = 0; minute < 24 * 60; ++minute)
        noon.levels.push_back(day.levels[static_cast<std::size_t>((minute + 12 * 60) % (24 * 60))]);
    EXPECT_NEAR(noon.Metrics().lden.value_or(0.0), 61.2102, 0.001);

    // Without an evening there is no Lden.
    const std::size_t evening = 19 * 60;
    const NoiseMetrics noEvening = ComputeNoiseMetrics(
        std::span(day.times).first(evening), std::span(day.levels).first(evening), 60.0);
    EXPECT_FALSE(noEvening.lden.has_value());

    // A night from 22:00 to 07:30 holds evening, night and half an hour of the next day, but no
    // date holds every part: no Lden, as the day-evening-night table gives none.
    Series night(60.0);
    for (int minute = 0; minute < 9 * 60 + 30; ++minute)
        night.times.push_back(Start() + (22.0 / 24.0) + minute * 60.0 * OneSecond);
    night.levels.assign(night.times.size(), 50.0f);
    EXPECT_FALSE(night.Metrics().lden.has_value());
}

TEST(NoiseMetrics, TheRangeFormTakesThePointsBetweenTheCursors)
{
    const Series series = Series().Add(50.0f, 10).Add(90.0f, 10);
    struct Case { int lo, hi; int valid; double leq; } cases[] = {
        {10, 19, 10, 90.0},
        {19, 10, 10, 90.0},   // either order
        {12, 25, 8, 90.0},    // beyond the end: to the last point
        {-5, 0, 1, 50.0},
        {9, 10, 2, 87.0},     // 10 log10((10^5 + 10^9) / 2)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lo << ".." << c.hi);
        const NoiseMetrics m = ComputeNoiseMetrics(series.times, series.levels, 1.0, c.lo, c.hi);
        EXPECT_EQ(m.validSamples, c.valid);
        EXPECT_DOUBLE_EQ(Shown(m.leq), c.leq);
    }
    EXPECT_EQ(ComputeNoiseMetrics({}, {}, 1.0, 0, 5).validSamples, 0);
}

TEST(GraphMetrics, ExclusionsGiveSecondColumnsBesideTheMeasuredOnes)
{
    // 10 s at 50 dB with one sample of 90 dB at 10:00:04 ... 00:00:04 after Start.
    Series series;
    series.Add(50.0f, 4).Add(90.0f).Add(50.0f, 5);
    const GraphMetrics plain = ComputeGraphMetrics(series.times, series.levels, SampleInterval{1.0, true}, 2, 7);
    EXPECT_FALSE(plain.wholeKept.has_value());
    EXPECT_FALSE(plain.betweenKept.has_value());

    const std::vector<Exclusion> dog{{Start() + 4 * OneSecond, Start() + 5 * OneSecond, QStringLiteral("dog")}};
    const GraphMetrics m = ComputeGraphMetrics(series.times, series.levels, SampleInterval{1.0, true}, 2, 7, Weighting::A, dog);
    // As measured, the loud sample stays; left out, only the quiet ones are.
    EXPECT_EQ(Shown(m.whole.lmax), 90.0);
    EXPECT_EQ(Shown(m.between.lmax), 90.0);
    ASSERT_TRUE(m.wholeKept && m.betweenKept);
    EXPECT_EQ(Shown(m.wholeKept->lmax), 50.0);
    EXPECT_EQ(Shown(m.wholeKept->leq), 50.0);
    EXPECT_EQ(m.wholeKept->validSamples, 9);
    // Between A (index 2) and B (index 7), both included, without the excluded one: 5 samples.
    EXPECT_EQ(m.betweenKept->validSamples, 5);
    EXPECT_EQ(Shown(m.betweenKept->lmax), 50.0);
}

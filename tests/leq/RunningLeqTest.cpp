#include "leq/EmptyLevel.h"
#include "leq/RunningLeq.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

// 10 log10 of the mean energy, in double: what folding must come to.
double EnergyMean(const std::vector<float>& levels)
{
    double sum = 0.0;
    for (const float level : levels)
        sum += std::pow(10.0, level / 10.0);
    return 10.0 * std::log10(sum / static_cast<double>(levels.size()));
}

float Fold(const std::vector<float>& levels)
{
    float leq = 0.0f;
    for (std::size_t i = 0; i < levels.size(); ++i)
        leq = RunningLeq(static_cast<std::int32_t>(i + 1), leq, levels[i]);
    return leq;
}

}  // namespace

TEST(RunningLeq, FoldsToTheEnergyMean)
{
    struct Case { std::vector<float> levels; double expected; } cases[] = {
        {{80.0f}, 80.0},                               // one value is itself
        {{80.0f, 90.0f}, 87.40362689},                 // 10 log10((10^8 + 10^9) / 2)
        {{70.0f, 80.0f}, 77.40362689},                 // 10 log10((10^7 + 10^8) / 2)
        {{70.0f, 70.0f, 80.0f}, 76.02059991},          // 10 log10((2 x 10^7 + 10^8) / 3)
        {{30.0f, 130.0f}, 126.98970004},               // the quiet value hardly counts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.levels));
        EXPECT_NEAR(Fold(c.levels), c.expected, 1e-4);
    }
}

TEST(RunningLeq, LongSeriesKeepEqualWeights)
{
    std::vector<float> constant(10000, 75.0f);
    EXPECT_NEAR(Fold(constant), 75.0, 1e-3);

    // A late loud value must count no more than an early one.
    std::vector<float> varied;
    for (int i = 0; i < 5000; ++i)
        varied.push_back(static_cast<float>(40.0 + 50.0 * std::fabs(std::sin(i * 0.37))));
    EXPECT_NEAR(Fold(varied), EnergyMean(varied), 2e-3);
}

TEST(RunningLeq, AFailingStepKeepsThePreviousLeq)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { const char* name; float previous; float x; } cases[] = {
        {"power overflows", 80.0f, 4000.0f},
        {"infinite level", 80.0f, inf},
        {"level not a number", 80.0f, nan},
        {"both powers underflow: log of 0", -5000.0f, -5000.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunningLeq(3, c.previous, c.x), c.previous);
    }
}

TEST(RunningLeq, LeavesTheCallersExceptionFlagsAsTheyWere)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    RunningLeq(2, 80.0f, 4000.0f);
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);

    std::feraiseexcept(FE_INVALID);
    EXPECT_NEAR(RunningLeq(2, 80.0f, 90.0f), 87.4036, 1e-4);
    EXPECT_NE(std::fetestexcept(FE_INVALID), 0);
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(CalLeqSeries, GivesTheRunningLeqAtEveryPoint)
{
    EXPECT_TRUE(CalLeqSeries({}).empty());

    const std::vector<float> one = CalLeqSeries(std::vector<float>{63.2f});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], 63.2f);

    const std::vector<float> constant = CalLeqSeries(std::vector<float>(500, 75.0f));
    ASSERT_EQ(constant.size(), 500u);
    for (const float leq : constant)
        EXPECT_NEAR(leq, 75.0, 1e-3);
}

TEST(CalLeqSeries, EveryPointIsTheFoldedRunningLeqToTheBit)
{
    // Smooth and jumpy series, and levels at the ends of the double range where the powers
    // overflow, underflow or lose digits as subnormal numbers.
    std::vector<std::vector<float>> series(4);
    for (int i = 0; i < 20000; ++i) {
        series[0].push_back(static_cast<float>(45.0 + 25.0 * std::fabs(std::sin(i * 0.013))));
        series[1].push_back(static_cast<float>(30.0 + (i * 2654435761u % 100000) / 1000.0));
    }
    series[2] = {80.0f, 3079.0f, 3081.5f, 3083.0f, -3070.0f, -3300.0f, 75.0f, -4000.0f, 3082.0f};
    series[3] = {-3200.0f, -3203.0f, -3207.0f, -3210.0f, -3215.0f};
    for (const std::vector<float>& levels : series) {
        const std::vector<float> leqs = CalLeqSeries(levels);
        ASSERT_EQ(leqs.size(), levels.size());
        float leq = 0.0f;
        std::int32_t n = 0;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (levels[i] < 20.0f || levels[i] > 140.0f) {
                ASSERT_EQ(leqs[i], EmptyLevel) << "point " << i << " is no measurement";
                continue;
            }
            leq = RunningLeq(++n, leq, levels[i]);
            ASSERT_EQ(leqs[i], leq) << "point " << i << " of " << levels.size();
        }
    }
}

TEST(CalLeqSeries, PointsWithoutAMeasurementAreGapsAndDoNotCount)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Empty points, a sample stored as 0 below the range, and levels the meter cannot measure.
    const std::vector<float> levels{EmptyLevel, 70.0f, 0.0f, nan, 19.9f, 80.0f, 140.1f, EmptyLevel};
    const std::vector<float> leqs = CalLeqSeries(levels);
    ASSERT_EQ(leqs.size(), levels.size());
    for (const std::size_t gap : {0u, 2u, 3u, 4u, 6u, 7u})
        EXPECT_EQ(leqs[gap], EmptyLevel) << "point " << gap;
    EXPECT_EQ(leqs[1], 70.0f);
    EXPECT_NEAR(leqs[5], 77.4036, 1e-4);  // the LEQ of 70 and 80 alone

    // Twenty samples at 70 dB and twenty stored as 0: the LEQ stays at 70 dB.
    std::vector<float> halfBelowRange(20, 70.0f);
    halfBelowRange.resize(40, 0.0f);
    EXPECT_NEAR(CalLeqSeries(halfBelowRange)[19], 70.0, 1e-4);
    EXPECT_EQ(CalLeqSeries(halfBelowRange).back(), EmptyLevel);
}

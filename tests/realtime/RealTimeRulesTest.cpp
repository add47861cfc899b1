#include "graph/SamplingRate.h"
#include "realtime/RealTimeRules.h"

#include <cmath>

#include <gtest/gtest.h>

TEST(RealTimeRules, RateSelectsTheNearestBoxEntry)
{
    struct Case { float rate; const char* entry; } cases[] = {
        {0.2f, "1.0"}, {0.5f, "1.0"}, {1.49f, "1.0"}, {1.5f, "2.0"}, {2.5f, "5.0"}, {5.0f, "5.0"},
        {5.5f, "10.0"}, {10.5f, "20.0"}, {20.49f, "20.0"}, {30.0f, "30.0"}, {30.5f, ""}, {1000.0f, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RateSelectionText(c.rate), c.entry) << c.rate;
}

TEST(RealTimeRules, PeriodTexts)
{
    struct Case { long long count; double rate; const char* text; } cases[] = {
        {2000, 0.5, "0:16:40"}, {2000, 30, "16:40:00"}, {99999, 30, "833:19:30"},
        {7, 0.5, "0:00:03"},    {0, 5, "0:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeriodText(c.count, c.rate), c.text) << c.count << " x " << c.rate;
    EXPECT_EQ(PeriodText(5, NAN), "0:00:00");
    EXPECT_EQ(InitialPeriodText(0.2f), "0:6:40");
    EXPECT_EQ(InitialPeriodText(1.0), "0:33:20");
    EXPECT_EQ(InitialPeriodText(30.0), "16:40:0");
}

TEST(RealTimeRules, PlausibleLevel)
{
    struct Case { float live; float lastGood; std::optional<float> stored; } cases[] = {
        {85.0f, 0.0f, 85.0f},   {20.0f, 0.0f, 20.0f},  {140.0f, 0.0f, 140.0f},
        {15.0f, 0.0f, std::nullopt},  // the first sample of a run cannot fall back
        {150.0f, 80.0f, 80.0f}, {19.9f, 30.0f, std::nullopt}, {NAN, 45.0f, 45.0f},
        {NAN, 0.0f, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlausibleLevel(c.live, c.lastGood), c.stored) << c.live << " after " << c.lastGood;
}

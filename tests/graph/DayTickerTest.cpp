#include "graph/ui/DayTicker.h"

#include <gtest/gtest.h>

namespace {

TEST(DayTicker, StepsAreWholeSecondsMinutesHoursOrDays)
{
    struct Case {
        double span;
        int ticks;
        double step;
    } cases[] = {
        {45, 5, 10},          {30, 5, 10},       {3600, 5, 900},      {3600, 8, 600},
        {86400 * 7, 5, 172800}, {1, 5, 1},       {0, 5, 1},           {86400 * 365, 5, 2419200 * 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DayTicker::StepSeconds(c.span, c.ticks), c.step) << c.span << " / " << c.ticks;
}

}  // namespace

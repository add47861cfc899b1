#include "graph/LevelSpan.h"

#include <vector>

#include <gtest/gtest.h>

TEST(LevelSpanOf, TensAroundTheMeasurableLevelsAtLeastTwentyApart)
{
    struct Case {
        std::vector<float> levels;
        float bottom, top;
    } cases[] = {
        {{42.3f, 68.9f}, 40.0f, 70.0f},
        {{70.0f, 70.0f}, 60.0f, 80.0f},           // steady: not along an edge
        {{71.0f, 75.0f}, 70.0f, 90.0f},
        {{55.0f, 0.0f, 9999.0f, 61.0f}, 50.0f, 70.0f},  // stored as 0, empty points: left out
        {{0.0f, 9999.0f}, 30.0f, 130.0f},          // nothing measurable: the fixed scale
        {{}, 30.0f, 130.0f},
        {{20.0f, 140.0f}, 20.0f, 140.0f},
    };
    for (const Case& c : cases) {
        const LevelSpan span = LevelSpanOf(c.levels);
        EXPECT_EQ(span.bottom, c.bottom) << c.levels.size();
        EXPECT_EQ(span.top, c.top) << c.levels.size();
    }
}

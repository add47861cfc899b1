#include "graph/SliderMath.h"
#include "graph/StatisticText.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(SliderMath, ClampAndThumbOffset)
{
    EXPECT_EQ(ClampSliderValue(-5, 0, 100), 0);
    EXPECT_EQ(ClampSliderValue(105, 0, 100), 100);
    EXPECT_EQ(ClampSliderValue(42, 0, 100), 42);
    struct Case {
        int length, thumb, value, min, max, offset;
    } cases[] = {
        {200, 20, 0, 0, 100, 0},   {200, 20, 100, 0, 100, 180}, {200, 20, 50, 0, 100, 90},
        {200, 20, 33, 0, 100, 59}, {210, 10, 7, 5, 9, 100},     {200, 20, 5, 5, 5, 0},
        {1000, 10, 99'999, 0, 99'999, 990},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThumbOffset(c.length, c.thumb, c.value, c.min, c.max), c.offset) << c.value;
}

TEST(SliderMath, DragArithmetic)
{
    struct Case {
        int start, delta, min, max, length, thumb, value;
    } cases[] = {
        {0, 180, 0, 100, 200, 20, 100},   // a drag by the travel moves by the whole range
        {100, -180, 0, 100, 200, 20, 0},
        {10, 1, 0, 100, 200, 20, 10},     // 100/180 truncates to 0
        {10, 2, 0, 100, 200, 20, 11},
        {10, -2, 0, 100, 200, 20, 9},     // truncation toward zero
        {50, 5, 0, 100, 20, 20, 50},      // no travel: no change
        {0, 1000, 0, 99'999, 1010, 10, 99'999},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DraggedValue(c.start, c.delta, c.min, c.max, c.length, c.thumb), c.value)
            << c.start << "+" << c.delta;
}

TEST(SliderMath, FrameOfAChart)
{
    struct Case { int points; SliderFrame frame; } cases[] = {
        {0, {0, 0, 0, 0}}, {2, {0, 1, 0, 1}}, {3, {0, 2, 1, 2}}, {10, {0, 9, 3, 6}},
        {100000, {0, 99999, 33333, 66666}},
    };
    for (const Case& c : cases) {
        const SliderFrame f = SliderFrameFor(c.points);
        EXPECT_EQ(std::tie(f.minimum, f.maximum, f.value1, f.value2),
                  std::tie(c.frame.minimum, c.frame.maximum, c.frame.value1, c.frame.value2))
            << c.points;
    }
}

TEST(StatisticText, FreshWindowKeepsTheInitialTexts)
{
    StatisticBoxes boxes;
    boxes.dataNo = QStringLiteral("0");
    boxes.avgAll = QStringLiteral("***.* dB ");
    boxes.samplingRate = QStringLiteral("1");
    const QStringList lines = StatisticText(boxes).split(u'\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("Start Time:"));
    EXPECT_EQ(lines[1], QStringLiteral("Sampling Rate:1"));
    EXPECT_EQ(lines[3], QStringLiteral("Avg.:***.* dB "));
    EXPECT_EQ(lines[4], QStringLiteral("Maximum:@"));
    EXPECT_EQ(lines[10], QStringLiteral("Avg. Between A and B:"));
    EXPECT_EQ(lines[11], QString());
    EXPECT_FALSE(StatisticText(boxes).contains(u'\r'));
}

}  // namespace

#include "graph/GraphStatistics.h"

#include "shell/Formats.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <vector>

namespace {

double At(int h, int m, int s, int ms = 0)
{
    return DaysFromDateTime(QDateTime(QDate(2023, 3, 4), QTime(h, m, s, ms)));
}

std::vector<double> Seconds(double start, int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i)
        times.push_back(start + i * OneSecond);
    return times;
}

TEST(GraphStatistics, TenPointsOneSecondApartGiveNineTenths)
{
    const auto times = Seconds(At(10, 0, 0), 10);
    const std::vector<float> levels = {50, 60, 70, 40, 70, 55, 40, 65, 45, 50};
    const GraphStatistics s = ComputeGraphStatistics(times.data(), levels.data(), 10);
    EXPECT_EQ(s.count, 10);
    EXPECT_NEAR(s.intervalSeconds, 0.9, 1e-6);
    EXPECT_EQ(OneDecimalText(s.intervalSeconds), QStringLiteral("0.9"));
    ASSERT_TRUE(s.average.has_value());
    EXPECT_DOUBLE_EQ(*s.average, 54.5);
    EXPECT_EQ(s.maximum, 70.0f);
    EXPECT_EQ(s.maximumIndex, 2);  // the first of equal maxima
    EXPECT_EQ(s.minimum, 40.0f);
    EXPECT_EQ(s.minimumIndex, 3);
}

TEST(GraphStatistics, AllLevelsEqualNameTheFirstPoint)
{
    const auto times = Seconds(At(10, 0, 0), 5);
    const std::vector<float> levels(5, 63.2f);
    const GraphStatistics s = ComputeGraphStatistics(times.data(), levels.data(), 5);
    EXPECT_EQ(s.maximumIndex, 0);
    EXPECT_EQ(s.minimumIndex, 0);
}

TEST(GraphStatistics, StartIsDisplayRoundedAndTheIntervalCountsFromIt)
{
    struct Case {
        int ms;
        double start;
        double interval;
    } cases[] = {{500, At(10, 0, 0, 500), 1.0},
                 {501, At(10, 0, 1, 501), 0.5},
                 {600, At(10, 0, 1, 600), 0.5}};
    for (const Case& c : cases) {
        const std::vector<double> times = {At(10, 0, 0, c.ms), At(10, 0, 2, c.ms)};
        const std::vector<float> levels = {1, 2};
        const GraphStatistics s = ComputeGraphStatistics(times.data(), levels.data(), 2);
        EXPECT_DOUBLE_EQ(s.start, c.start) << c.ms;
        EXPECT_NEAR(s.intervalSeconds, c.interval, 1e-6) << c.ms;
    }
}

TEST(GraphStatistics, NoPointsReadNothing)
{
    const GraphStatistics s = ComputeGraphStatistics(nullptr, nullptr, 0);
    EXPECT_EQ(s.count, 0);
    EXPECT_FALSE(s.average.has_value());
    EXPECT_EQ(s.maximumIndex, -1);
}

TEST(GraphStatistics, NoLevelInsideTheStartValuesNamesNoPoint)
{
    const std::vector<double> times = {At(1, 0, 0)};
    const std::vector<float> levels = {-9999.0f};
    const GraphStatistics s = ComputeGraphStatistics(times.data(), levels.data(), 1);
    EXPECT_EQ(s.maximumIndex, -1);
    EXPECT_EQ(s.minimumIndex, 0);
}

TEST(GraphStatistics, FilledPointsEndAtTheFirstZeroTime)
{
    const std::vector<double> times = {1.0, 2.0, 0.0, 4.0};
    EXPECT_EQ(FilledPoints(times.data(), 4), 2);
    EXPECT_EQ(FilledPoints(times.data(), 2), 2);
    EXPECT_EQ(FilledPoints(nullptr, 0), 0);
}

TEST(CursorStatistics, CoverBothEndsInEitherOrder)
{
    const auto times = Seconds(At(10, 0, 0), 6);
    const std::vector<float> levels = {10, 80, 30, 80, 20, 90};
    struct Case {
        int a, b;
        float max;
        int maxAt;
        float min;
        int minAt;
        double avg;
    } cases[] = {
        {1, 4, 80, 1, 20, 4, 52.5},
        {4, 1, 80, 1, 20, 4, 52.5},   // A after B
        {2, 2, 30, 2, 30, 2, 30.0},   // A = B
        {0, 5, 90, 5, 10, 0, 310.0 / 6},
        {-3, 99, 90, 5, 10, 0, 310.0 / 6},  // outside the points
    };
    for (const Case& c : cases) {
        const CursorStatistics s = ComputeCursorStatistics(times.data(), levels.data(), 6, c.a, c.b);
        EXPECT_EQ(s.maximum, c.max) << c.a << "," << c.b;
        EXPECT_EQ(s.maximumTime, times[c.maxAt]) << c.a << "," << c.b;
        EXPECT_EQ(s.minimum, c.min) << c.a << "," << c.b;
        EXPECT_EQ(s.minimumTime, times[c.minAt]) << c.a << "," << c.b;
        EXPECT_DOUBLE_EQ(s.average.value(), c.avg) << c.a << "," << c.b;
    }
    EXPECT_TRUE(ComputeCursorStatistics(nullptr, nullptr, 0, 0, 0).empty);
}

}  // namespace

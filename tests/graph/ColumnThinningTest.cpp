#include "graph/ColumnThinning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <vector>

namespace {

// Ten columns from pixel 50, one per unit of time from 0.
const ColumnMapping Ten{0.0, 10.0, 50, 10};

std::vector<double> Values(const std::vector<ThinnedPoint>& points)
{
    std::vector<double> values;
    for (const ThinnedPoint& point : points)
        values.push_back(point.value);
    return values;
}

TEST(ColumnThinningTest, AColumnKeepsItsFirstLowestHighestAndLastInOrder)
{
    struct Case {
        const char* name;
        std::vector<double> values;  // all in one column
        std::vector<double> kept;
    };
    const Case cases[] = {
        {"one point", {5}, {5}},
        {"two points", {5, 7}, {5, 7}},
        {"low then high", {5, 1, 3, 9, 4, 6}, {5, 1, 9, 6}},
        {"high then low", {5, 9, 4, 1, 6}, {5, 9, 1, 6}},
        {"first is the lowest", {1, 5, 9, 3}, {1, 9, 3}},
        {"last is the highest", {5, 2, 4, 9}, {5, 2, 9}},
        {"all equal", {4, 4, 4, 4}, {4, 4}},
    };
    for (const Case& c : cases) {
        ColumnThinning thinning(Ten);
        double key = 3.0;
        for (const double value : c.values)
            thinning.Add(key += 0.01, value);
        EXPECT_EQ(Values(thinning.Kept()), c.kept) << c.name;
    }
}

TEST(ColumnThinningTest, KeysAreKeptWithTheirValues)
{
    ColumnThinning thinning(Ten);
    for (const auto& [key, value] : std::vector<std::pair<double, double>>{
             {2.1, 5}, {2.2, 1}, {2.3, 3}, {2.4, 9}, {2.5, 6}, {3.5, 2}})
        thinning.Add(key, value);
    const std::vector<std::pair<double, double>> expected{{2.1, 5}, {2.2, 1}, {2.4, 9}, {2.5, 6}, {3.5, 2}};
    ASSERT_EQ(thinning.Kept().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(thinning.Kept()[i].key, expected[i].first);
        EXPECT_EQ(thinning.Kept()[i].value, expected[i].second);
    }
}

TEST(ColumnThinningTest, AGapIsKeptAndTheLineStartsAgainAfterIt)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ColumnThinning thinning(Ten);
    for (const double value : {5.0, 1.0, 3.0, nan, 7.0, 2.0, 8.0, 4.0})
        thinning.Add(4.5, value);
    const std::vector<ThinnedPoint>& kept = thinning.Kept();
    ASSERT_EQ(kept.size(), 8u);  // 5 1 3 | gap | 7 2 8 4
    EXPECT_EQ(kept[2].value, 3.0);
    EXPECT_TRUE(std::isnan(kept[3].value));
    EXPECT_EQ(kept[4].value, 7.0);
}

TEST(ColumnThinningTest, TimesOffThePlotShareAColumnOnEitherSide)
{
    ColumnThinning thinning(Ten);
    // Far before, just before, inside, just after and far after; then times no column can
    // hold (the conversion to a column must not overflow).
    for (const double key : {-1e300, -500.0, -3.0, -0.5})
        thinning.Add(key, 50.0 + key / 1000.0);
    thinning.Add(5.0, 1.0);
    for (const double key : {12.0, 20.0, 1e300, std::numeric_limits<double>::infinity()})
        thinning.Add(key, 2.0);
    EXPECT_EQ(Ten.Column(-1e300), 49);
    EXPECT_EQ(Ten.Column(std::numeric_limits<double>::quiet_NaN()), 49);
    EXPECT_EQ(Ten.Column(1e300), 61);
    EXPECT_EQ(Ten.Column(0.0), 50);
    EXPECT_EQ(Ten.Column(9.99), 59);
    // Before: the first, the lowest (the first), the highest and the last, which the line to
    // the first point inside starts from. After: the first and the last.
    const std::vector<ThinnedPoint>& kept = thinning.Kept();
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(kept[0].key, -1e300);
    EXPECT_EQ(kept[1].key, -0.5);
    EXPECT_EQ(kept[2].key, 5.0);
    EXPECT_EQ(kept[3].key, 12.0);
    EXPECT_EQ(kept[4].key, std::numeric_limits<double>::infinity());
}

// Point by point, a long random series thins to exactly the columns' first, lowest, highest and
// last values of the whole series.
TEST(ColumnThinningTest, EveryColumnOfALongSeriesKeepsItsExtremes)
{
    const ColumnMapping mapping{1000.0, 1001.0, 37, 333};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> level(30.0, 130.0);
    struct Column {
        double first, lowest, highest, last;
    };
    std::map<int, Column> whole;
    ColumnThinning thinning(mapping);
    double key = 999.9;
    for (int i = 0; i < 200'000; ++i) {
        key += 1.2 / 200'000;
        const double value = level(random);
        thinning.Add(key, value);
        const auto [at, added] = whole.try_emplace(mapping.Column(key), Column{value, value, value, value});
        Column& column = at->second;
        column.lowest = std::min(column.lowest, value);
        column.highest = std::max(column.highest, value);
        column.last = value;
    }
    std::map<int, std::vector<double>> thinned;
    for (const ThinnedPoint& point : thinning.Kept())
        thinned[mapping.Column(point.key)].push_back(point.value);
    ASSERT_EQ(thinned.size(), whole.size());
    for (const auto& [column, values] : thinned) {
        const Column& expected = whole.at(column);
        ASSERT_LE(values.size(), 4u);
        EXPECT_EQ(values.front(), expected.first) << column;
        EXPECT_EQ(values.back(), expected.last) << column;
        EXPECT_EQ(*std::min_element(values.begin(), values.end()), expected.lowest) << column;
        EXPECT_EQ(*std::max_element(values.begin(), values.end()), expected.highest) << column;
    }
}

}  // namespace

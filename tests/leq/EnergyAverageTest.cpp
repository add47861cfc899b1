#include "leq/EnergyAverage.h"
#include "link/MeasurableLevel.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace {

double Tenth(double value) { return std::round(value * 10.0) / 10.0; }

}  // namespace

TEST(EnergyAverage, LeqIsTheEnergyMeanWithTheExtremes)
{
    struct Case {
        std::vector<double> levels;
        double leq, lmax, lmin;
    } cases[] = {
        {{75.0}, 75.0, 75.0, 75.0},
        {std::vector<double>(30, 60.0), 60.0, 60.0, 60.0},
        // Half the time 10 dB louder: 10 log10((1 + 10) / 2) above the quieter half.
        {[] {
             std::vector<double> v(30, 60.0);
             v.insert(v.end(), 30, 70.0);
             return v;
         }(),
         67.4, 70.0, 60.0},
        {{80.0, 90.0}, 87.4, 90.0, 80.0},
        {{90.0, 30.0, 30.0, 30.0}, 84.0, 90.0, 30.0},  // one loud reading outweighs the rest
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.levels.size());
        EnergyAverage average;
        for (const double level : c.levels)
            average.Add(level);
        EXPECT_EQ(average.Count(), static_cast<int>(c.levels.size()));
        EXPECT_DOUBLE_EQ(Tenth(average.Leq().value_or(NAN)), c.leq);
        EXPECT_DOUBLE_EQ(average.Lmax().value_or(NAN), c.lmax);
        EXPECT_DOUBLE_EQ(average.Lmin().value_or(NAN), c.lmin);
    }
}

TEST(EnergyAverage, NothingBeforeTheFirstLevel)
{
    const EnergyAverage average;
    EXPECT_EQ(average.Count(), 0);
    EXPECT_FALSE(average.Leq() || average.Lmax() || average.Lmin());
}

TEST(EnergyAverage, OnlyLevelsFrom20To140dBWereMeasured)
{
    for (const double level : {20.0, 63.4, 140.0})
        EXPECT_TRUE(IsMeasurableLevel(level)) << level;
    for (const double level : {0.0, 19.9, 140.1, 9999.0, double(NAN)})
        EXPECT_FALSE(IsMeasurableLevel(level)) << level;
}

TEST(EnergyAverage, TwoAveragesFoldTogetherAsTheirLevelsWould)
{
    EnergyAverage quiet, loud, all, empty;
    for (const double level : {40.0, 45.0, 42.0}) {
        quiet.Add(level);
        all.Add(level);
    }
    for (const double level : {90.0, 35.0}) {
        loud.Add(level);
        all.Add(level);
    }
    EnergyAverage folded;
    folded.Add(empty);
    folded.Add(quiet);
    folded.Add(empty);
    folded.Add(loud);
    EXPECT_EQ(folded.Count(), 5);
    EXPECT_DOUBLE_EQ(folded.Leq().value_or(NAN), all.Leq().value_or(0.0));
    EXPECT_EQ(folded.Lmax(), 90.0);
    EXPECT_EQ(folded.Lmin(), 35.0);
}

#include "leq/SampleInterval.h"
#include "QStringPrinter.h"
#include "shell/Formats.h"

#include <QLocale>

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

TEST(SampleInterval, TheSpacingOfThePointsIsTheirSpanOverTheGaps)
{
    const double t = 45000.0;
    struct Case {
        const char* name;
        std::vector<double> times;
        double seconds;
    } cases[] = {
        {"none", {}, 0.0},
        {"one point", {t}, 0.0},
        // Ten points a second apart are a second apart, not 0.9 s as the rate box reads.
        {"ten points", {t, t + 1 * OneSecond, t + 2 * OneSecond, t + 3 * OneSecond, t + 4 * OneSecond,
                        t + 5 * OneSecond, t + 6 * OneSecond, t + 7 * OneSecond, t + 8 * OneSecond,
                        t + 9 * OneSecond}, 1.0},
        {"half seconds", {t, t + 0.5 * OneSecond, t + 1.0 * OneSecond}, 0.5},
        {"a pause counts", {t, t + 1 * OneSecond, t + 5 * OneSecond}, 2.5},
        {"all at one time", {t, t, t}, 0.0},
        {"backwards", {t, t - OneSecond}, 0.0},
        {"not a number", {t, NAN}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(IntervalOfTimes(c.times), c.seconds, 1e-6);
    }
}

TEST(SampleInterval, TheTextSaysWhereTheIntervalCameFrom)
{
    EXPECT_EQ(SampleIntervalText({2.0, true}), "Sample interval: 2 s (the recording's interval)");
    EXPECT_EQ(SampleIntervalText({0.5000004, false}),
              "Sample interval: 0.5 s (the mean spacing of the points' times)");
    EXPECT_EQ(SampleIntervalText({3600.0, false}),
              "Sample interval: 3600 s (the mean spacing of the points' times)");
    EXPECT_EQ(SampleIntervalText({}),
              "Sample interval: not known (fewer than two points); SEL, LEX,8h and dose are not given");

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString comma = SampleIntervalText({1.25, false});
    QLocale::setDefault(saved);
    EXPECT_EQ(comma, "Sample interval: 1,25 s (the mean spacing of the points' times)");
}

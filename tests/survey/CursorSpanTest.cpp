#include "shell/Formats.h"
#include "survey/CursorSpan.h"

#include <QDateTime>

#include <vector>

#include <gtest/gtest.h>

namespace {

double At(int h, int m, int s, int ms = 0)
{
    return DaysFromDateTime(QDateTime(QDate(2024, 5, 6), QTime(h, m, s, ms)));
}

TEST(CursorSpan, TakesBothCursorsSamplesWholeInEitherOrder)
{
    const std::vector<double> times{At(12, 0, 0), At(12, 0, 2), At(12, 0, 4), At(12, 0, 6)};
    struct Case {
        int a, b;
        double interval;
        double from, to;
    } cases[] = {
        {1, 2, 2.0, At(12, 0, 2), At(12, 0, 6)},       // B's 2 s after its time
        {2, 1, 2.0, At(12, 0, 2), At(12, 0, 6)},       // cursors swapped
        {3, 3, 2.0, At(12, 0, 6), At(12, 0, 8)},       // one sample
        {0, 3, 0.0, At(12, 0, 0), At(12, 0, 6, 1)},    // no interval known: a millisecond
    };
    for (const Case& c : cases) {
        const std::optional<Exclusion> span = ExclusionBetweenCursors(times, c.a, c.b, c.interval, QStringLiteral("car"));
        ASSERT_TRUE(span.has_value()) << c.a << "," << c.b;
        EXPECT_NEAR(span->from, c.from, 1e-9) << c.a << "," << c.b;
        EXPECT_NEAR(span->to, c.to, 1e-9) << c.a << "," << c.b;
        EXPECT_EQ(span->reason, QStringLiteral("car"));
    }
}

TEST(CursorSpan, NoSpanForACursorOutsideThePoints)
{
    const std::vector<double> times{At(12, 0, 0), At(12, 0, 1)};
    EXPECT_FALSE(ExclusionBetweenCursors(times, 0, 2, 1.0, {}).has_value());
    EXPECT_FALSE(ExclusionBetweenCursors(times, -1, 1, 1.0, {}).has_value());
    EXPECT_FALSE(ExclusionBetweenCursors({}, 0, 0, 1.0, {}).has_value());
}

}  // namespace

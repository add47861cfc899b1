#include "shell/DateTimeReader.h"

#include "shell/Formats.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

double At(int day, int h, int m, int s)
{
    return DaysFromDateTime(QDateTime(QDate(2023, 3, day), QTime(h, m, s)));
}

// Row after row, the same values as the full reading of the joined texts.
TEST(DateTimeReader, ReadsRowsAsTheJoinedTextsRead)
{
    struct Case {
        QLocale locale;
        const char* date;
        const char* time;
        std::optional<double> want;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/4/2023", "10:00:00 AM", At(4, 10, 0, 0)},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/4/2023", "12:00:01 AM", At(4, 0, 0, 1)},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/4/2023", "12:30:00 PM", At(4, 12, 30, 0)},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2023", "11:59:59 PM", At(5, 23, 59, 59)},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2023", "09:05:07 PM", At(5, 21, 5, 7)},  // not as written
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/23", "9:05:07 PM", At(5, 21, 5, 7)},     // a two-digit year
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2023", "13:05:07 PM", std::nullopt},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2023", "9:05:07", std::nullopt},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2023", "9:05:07 AM 4", std::nullopt},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/32/2023", "9:05:07 AM", std::nullopt},
        {QLocale(QLocale::English, QLocale::UnitedStates), "", "", std::nullopt},
        {QLocale(QLocale::German, QLocale::Germany), "04.03.2023", "10:00:00", At(4, 10, 0, 0)},
        {QLocale(QLocale::German, QLocale::Germany), "04.03.2023", "23:59:60", std::nullopt},
        {QLocale(QLocale::German, QLocale::Germany), "05.03.2023", "00:00:09", At(5, 0, 0, 9)},
    };
    for (const Case& c : cases) {
        DateTimeReader reader(c.locale);
        const QString date = QString::fromUtf8(c.date);
        const QString time = QString::fromUtf8(c.time);
        // Twice, the second time from the remembered date.
        for (int pass = 0; pass < 2; ++pass)
            EXPECT_EQ(reader.Read(date, time), c.want) << c.date << " " << c.time;
        bool ok = false;
        const double joined = ReadDateTime(date + u' ' + time, &ok, c.locale);
        EXPECT_EQ(ok ? std::optional<double>(joined) : std::nullopt, c.want) << c.date << " " << c.time;
    }
}

TEST(DateTimeReader, BlanksAroundATimeAreNoHarm)
{
    DateTimeReader reader(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(reader.Read(QStringLiteral("3/5/2023"), QStringLiteral(" 9:05:07 PM ")), At(5, 21, 5, 7));
}

TEST(DateTimeReader, ADateRememberedIsNotUsedForAnother)
{
    DateTimeReader reader(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(reader.Read(QStringLiteral("3/4/2023"), QStringLiteral("10:00:00 AM")), At(4, 10, 0, 0));
    EXPECT_EQ(reader.Read(QStringLiteral("bad"), QStringLiteral("10:00:00 AM")), std::nullopt);
    EXPECT_EQ(reader.Read(QStringLiteral("3/5/2023"), QStringLiteral("10:00:00 AM")), At(5, 10, 0, 0));
    EXPECT_EQ(reader.Read(QStringLiteral("3/4/2023"), QStringLiteral("10:00:00 AM")), At(4, 10, 0, 0));
}

}  // namespace

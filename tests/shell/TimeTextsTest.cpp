#include "shell/Formats.h"
#include "shell/IsoDateTimeTexts.h"
#include "shell/OneDecimalTexts.h"
#include "shell/TimeTexts.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

// Locales whose time formats and numbers differ in every way the quick texts must follow or
// leave to the locale: AM/PM before or after the time, hours with and without a zero, words
// between the fields, a decimal comma, a minus that is not '-', other digits.
const QLocale Locales[] = {
    QLocale::c(),
    QLocale(QLocale::English, QLocale::UnitedStates),
    QLocale(QLocale::German, QLocale::Germany),
    QLocale(QLocale::Korean, QLocale::SouthKorea),
    QLocale(QLocale::Japanese, QLocale::Japan),
    QLocale(QLocale::Chinese, QLocale::China),
    QLocale(QLocale::Swedish, QLocale::Sweden),
    QLocale(QLocale::Bulgarian, QLocale::Bulgaria),
    QLocale(QLocale::Arabic, QLocale::Egypt),
    QLocale(QLocale::Persian, QLocale::Iran),
};

double At(int h, int m, int s, int ms)
{
    return DaysFromDateAndTime(QDate(2023, 3, 4), QTime(h, m, s, ms));
}

}  // namespace

TEST(TimeTexts, WriteWhatTimeTextWritesInEveryLocale)
{
    const double times[] = {At(0, 0, 0, 0),    At(0, 59, 59, 600), At(9, 5, 7, 0),   At(11, 59, 59, 501),
                            At(12, 0, 0, 500), At(13, 1, 2, 0),    At(23, 59, 59, 700), At(21, 10, 0, 0),
                            std::nan("")};
    for (const QLocale& locale : Locales) {
        SCOPED_TRACE(locale.name().toStdString());
        const TimeTexts texts(locale);
        for (const double time : times) {
            QByteArray text;
            texts.Append(text, time);
            EXPECT_EQ(text, TimeText(time, locale).toLocal8Bit()) << TimeText(time, locale).toStdString();
        }
    }
}

TEST(OneDecimalTexts, WriteWhatOneDecimalTextWritesInEveryLocale)
{
    // Halves round away from zero as the locale's own texts do (85.25 is exact in a float).
    const float levels[] = {0.0f, -0.0f, 0.04f, 0.05f, 0.35f, 9.95f, 85.25f, 99.96f, 140.0f,
                            1234.56f, 2.5e9f, -3.25f, -0.04f};
    for (const QLocale& locale : Locales) {
        SCOPED_TRACE(locale.name().toStdString());
        const OneDecimalTexts texts(locale);
        for (const float level : levels) {
            QByteArray text;
            texts.Append(text, level);
            EXPECT_EQ(text, OneDecimalText(level, locale).toLocal8Bit()) << level;
        }
    }
    QByteArray text;
    OneDecimalTexts().Append(text, 85.25f);
    EXPECT_EQ(text, "85.3");
}

TEST(IsoDateTimeTexts, FollowTheDayAcrossMidnightAndBack)
{
    IsoDateTimeTexts texts;
    QByteArray text;
    for (const double days : {At(23, 59, 59, 400), At(23, 59, 59, 600), At(12, 0, 0, 0), std::nan(""), At(0, 0, 1, 0) + 1}) {
        texts.Append(text, days);
        text += '|';
    }
    EXPECT_EQ(text, "2023-03-04 23:59:59|2023-03-05 00:00:00|2023-03-04 12:00:00||2023-03-05 00:00:01|");
}

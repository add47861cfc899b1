#include "ScopedTimeZone.h"
#include "shell/Formats.h"

#include <cmath>

#include <cstring>

#include <gtest/gtest.h>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

double Days(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return DaysFromDateAndTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

}  // namespace

TEST(Formats, DayCountsFollowTheDateTimeConvention)
{
    EXPECT_DOUBLE_EQ(Days(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(Days(1900, 1, 1), 2.0);
    EXPECT_DOUBLE_EQ(Days(2023, 3, 15, 12), 45000.5);
    EXPECT_NEAR(Days(2023, 3, 15, 0, 0, 1) - Days(2023, 3, 15), OneSecond, 1e-11);
    EXPECT_EQ(DateTimeFromDays(45000.5).date(), QDate(2023, 3, 15));
    EXPECT_EQ(DateTimeFromDays(45000.5).time(), QTime(12, 0));
    EXPECT_EQ(DateTimeFromDays(Days(2024, 2, 29, 23, 59, 59, 999)).time(), QTime(23, 59, 59, 999));
    EXPECT_DOUBLE_EQ(DaysFromDateTime(QDateTime(QDate(2023, 3, 15), QTime(12, 0))), 45000.5);
    EXPECT_FALSE(DateTimeFromDays(NAN).isValid());
    EXPECT_FALSE(DateTimeFromDays(1e300).isValid());
}

TEST(Formats, DisplayRoundingAddsASecondAboveHalf)
{
    struct Case { int ms; const char* text; } cases[] = {
        {0, "2:05:07 PM"}, {500, "2:05:07 PM"}, {501, "2:05:08 PM"}, {600, "2:05:08 PM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(TimeText(Days(2023, 3, 15, 14, 5, 7, c.ms), English), c.text);
    }
    // Rounding carries into the next day.
    EXPECT_EQ(DateTimeText(Days(2023, 3, 15, 23, 59, 59, 700), English), "3/16/2023 12:00:00 AM");
}

TEST(Formats, DateAndTimeTextsUseTheLocaleWithAFourDigitYearAndNoZone)
{
    const double when = Days(2023, 3, 5, 14, 5, 7);
    EXPECT_EQ(DateText(when, English), "3/5/2023");
    EXPECT_EQ(TimeText(when, English), "2:05:07 PM");
    EXPECT_EQ(DateText(when, German), "05.03.2023");
    EXPECT_EQ(TimeText(when, German), "14:05:07");
    EXPECT_FALSE(LongTimeFormat(English).contains('t'));
    EXPECT_TRUE(ShortDateFormat(German).contains("yyyy"));
}

TEST(Formats, DateTimeTextsReadBackToTheSameSecond)
{
    const double samples[] = {Days(2023, 3, 5, 14, 5, 7), Days(1999, 12, 31, 0, 0, 0),
                              Days(2031, 7, 9, 23, 59, 58, 400)};
    for (const QLocale& locale : {English, German}) {
        for (const double when : samples) {
            bool ok = false;
            const double back = ReadDateTime(DateTimeText(when, locale), &ok, locale);
            ASSERT_TRUE(ok) << DateTimeText(when, locale).toStdString();
            EXPECT_NEAR(back, std::floor(when * 86400.0 + 1e-6) / 86400.0, 1e-9);
        }
    }
    bool ok = true;
    ReadDateTime("31/31/2023 99:00:00", &ok, English);
    EXPECT_FALSE(ok);
}

TEST(Formats, OneDecimalTextAndNumbersRoundTrip)
{
    struct Case { double value; const char* english; const char* german; } cases[] = {
        {85.34, "85.3", "85,3"}, {94.56, "94.6", "94,6"}, {0.0, "0.0", "0,0"},
        {1234.56, "1234.6", "1234,6"}, {-3.04, "-3.0", "-3,0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OneDecimalText(c.value, English), c.english);
        EXPECT_EQ(OneDecimalText(c.value, German), c.german);
        bool ok = false;
        EXPECT_NEAR(ReadNumber(c.german, &ok, German), c.value, 0.05);
        EXPECT_TRUE(ok);
    }
    bool ok = true;
    ReadNumber("12a", &ok, English);
    EXPECT_FALSE(ok);
    ReadNumber("", &ok, English);
    EXPECT_FALSE(ok);
}

// The ISO texts other programs read hold the wall-clock time of the day count: no zone's
// skipped or repeated hour moves or drops one (Europe/Berlin skips 02:00-03:00 on 2024-03-31).
TEST(Formats, IsoDateTimeTextsAreWallClockAndReadBack)
{
    const ScopedTimeZone berlin("Europe/Berlin");
    const double skipped = ReadIsoDateTime(QStringLiteral("2024-03-31 02:30:00"), nullptr);
    EXPECT_EQ(IsoDateTimeText(skipped), "2024-03-31 02:30:00");
    EXPECT_EQ(IsoDateTimeText(skipped + 0.6 * OneSecond), "2024-03-31 02:30:01") << "display rounding";
    EXPECT_EQ(IsoDateTimeText(std::nan("")), "");

    struct Case {
        const char* text;
        bool ok;
        const char* back;
    } cases[] = {
        {"2024-05-06T12:00:00", true, "2024-05-06 12:00:00"},
        {"2024-05-06 12:00:00+02:00", true, "2024-05-06 12:00:00"},  // the offset is ignored
        {"2024-05-06T12:00:00Z", true, "2024-05-06 12:00:00"},
        {" 2024-10-27 02:30:00 ", true, "2024-10-27 02:30:00"},      // Berlin's repeated hour
        {"2024-13-06 12:00:00", false, ""},
        {"2024-05-06 25:61:00", false, ""},
        {"2024-05-06", false, ""},
        {"2024-05-06 12:00:00.", false, ""},
        {"2024-05-06 12:00:00+02:", false, ""},
        {"2024-05-06 12:00:00 x", false, ""},
        {"2024-05-06 12:00:00.250+0200", true, "2024-05-06 12:00:00"},
        {"2024-05-06 12:00:00.700", true, "2024-05-06 12:00:01"},  // kept, so display rounding shows it
        {"2024-02-29 00:00:00", true, "2024-02-29 00:00:00"},
        {"2000-02-29 23:59:59", true, "2000-02-29 23:59:59"},
        {"2023-02-29 00:00:00", false, ""},
        {"1900-02-29 00:00:00", false, ""},
        {"1899-12-30 00:00:00", true, "1899-12-30 00:00:00"},
        {"0001-01-01 00:00:00", true, "0001-01-01 00:00:00"},
        {"0000-12-31 00:00:00", false, ""},
        {"2024-04-31 00:00:00", false, ""},
        {"2024-05-06 12:00:60", false, ""},
    };
    for (const Case& c : cases) {
        bool ok = false;
        const double days = ReadIsoDateTime(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(IsoDateTimeText(days), c.back) << c.text;
        }
    }
    // An offset cut short at the end of the longest text read (71 characters) is refused, read
    // without a look past the text: the sign or its minutes cut at the last character.
    for (const char* tail : {"+", "+0", "+01:"}) {
        const QString text = QStringLiteral("2024-05-06 12:00:00.") + QString(71 - 20 - int(std::strlen(tail)), u'1')
                             + QString::fromLatin1(tail);
        ASSERT_EQ(text.size(), 71);
        bool ok = true;
        ReadIsoDateTime(text, &ok);
        EXPECT_FALSE(ok) << tail;
    }
    // A fraction of a second is kept to the millisecond, a carry included.
    const double noon = ReadIsoDateTime(QStringLiteral("2024-05-06 12:00:00"), nullptr);
    EXPECT_DOUBLE_EQ(ReadIsoDateTime(QStringLiteral("2024-05-06 12:00:00.25"), nullptr), noon + 0.25 * OneSecond);
    EXPECT_DOUBLE_EQ(ReadIsoDateTime(QLatin1StringView("2024-05-06T11:59:59.9996Z"), nullptr), noon);
}

// The meter's clock knows no zones: every conversion of a day count to and from its date and
// time gives the wall-clock time it holds, also in the hour a zone skips or repeats.
TEST(Formats, EveryConversionIsWallClockInAZoneWithAChange)
{
    const ScopedTimeZone berlin("Europe/Berlin");  // skips 02:00-03:00 on 2024-03-31, repeats it on 2024-10-27
    struct Case {
        QDate date;
        QTime time;
        const char* english;
        const char* german;
    } cases[] = {
        {QDate(2024, 3, 31), QTime(1, 59, 59), "3/31/2024 1:59:59 AM", "31.03.2024 01:59:59"},
        {QDate(2024, 3, 31), QTime(2, 0, 0), "3/31/2024 2:00:00 AM", "31.03.2024 02:00:00"},
        {QDate(2024, 3, 31), QTime(2, 30, 0), "3/31/2024 2:30:00 AM", "31.03.2024 02:30:00"},
        {QDate(2024, 3, 31), QTime(3, 0, 0), "3/31/2024 3:00:00 AM", "31.03.2024 03:00:00"},
        {QDate(2024, 10, 27), QTime(2, 30, 0), "10/27/2024 2:30:00 AM", "27.10.2024 02:30:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        // Worked out apart from the code under test.
        const double days = QDate(1899, 12, 30).daysTo(c.date) + c.time.msecsSinceStartOfDay() / 86400000.0;
        EXPECT_DOUBLE_EQ(DaysFromDateAndTime(c.date, c.time), days);
        EXPECT_EQ(DateTimeFromDays(days).date(), c.date);
        EXPECT_EQ(DateTimeFromDays(days).time(), c.time);
        EXPECT_DOUBLE_EQ(DaysFromDateTime(DateTimeFromDays(days)), days);
        EXPECT_EQ(DateTimeText(days, English), c.english);
        EXPECT_EQ(DateTimeText(days, German), c.german);
        bool ok = false;
        EXPECT_NEAR(ReadDateTime(QString::fromLatin1(c.english), &ok, English), days, 1e-9);
        EXPECT_TRUE(ok);
        ok = false;
        EXPECT_NEAR(ReadDateTime(QString::fromLatin1(c.german), &ok, German), days, 1e-9);
        EXPECT_TRUE(ok);
        ok = false;
        EXPECT_DOUBLE_EQ(ReadDate(DateText(days, German), &ok, German), std::floor(days));
        EXPECT_TRUE(ok);
    }
}

TEST(Formats, ADateReadsAsItsMidnightWhereTheZoneSkipsMidnight)
{
    const ScopedTimeZone santiago("America/Santiago");  // 2024-09-08 begins at 01:00
    const double day = Days(2024, 9, 8);
    bool ok = false;
    EXPECT_DOUBLE_EQ(ReadDate(QStringLiteral("9/8/2024"), &ok, English), day);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(ReadDateTime(QStringLiteral("9/8/2024 12:30:00 AM"), &ok, English), day + 1800 * OneSecond);
    EXPECT_TRUE(ok);
    EXPECT_EQ(DateTimeText(day + 1800 * OneSecond, English), "9/8/2024 12:30:00 AM");
    // A two-digit year still reads as this century's.
    EXPECT_DOUBLE_EQ(ReadDateTime(QStringLiteral("08.09.24 00:30:00"), &ok, German), day + 1800 * OneSecond);
    EXPECT_TRUE(ok);
}

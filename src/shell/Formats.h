#pragma once
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

// Date-times are wall-clock days since 1899-12-30 00:00; one second is 1/86400. The meter's
// clock knows no zones, so a day count turns into its date and time, and back, by arithmetic
// and never through the computer's zone, whose skipped or repeated hour would drop or move it.
constexpr double OneSecond = 1.0 / 86400.0;

// A day count split by arithmetic: the day since 1899-12-30 and the milliseconds into it.
struct DayCountParts {
    qint64 day = 0;
    int ms = 0;
};
// Nothing for a day count no date holds (not finite, or millennia away).
std::optional<DayCountParts> SplitDayCount(double days);
QDate DateOfDay(qint64 day);

// The day count of a date and a time of day as they read.
double DaysFromDateAndTime(QDate date, QTime time);
// Of the date() and time() the QDateTime reads in its own zone (the local wall clock of
// QDateTime::currentDateTime()).
double DaysFromDateTime(const QDateTime& dateTime);
// The date and time a day count reads, held as UTC so that no zone's change touches them:
// take its date(), time() or a format of them, never its instant. Invalid for a day count
// no date holds.
QDateTime DateTimeFromDays(double days);

// Adds one second when the millisecond part is above 500, as every shown or
// written date-time does before its milliseconds are dropped.
double RoundForDisplay(double days);

// The user's short date format with the year widened to four digits, and the
// long time format without its time-zone name.
QString ShortDateFormat(const QLocale& locale = QLocale());
QString LongTimeFormat(const QLocale& locale = QLocale());

// Texts of a date-time after display rounding.
QString DateText(double days, const QLocale& locale = QLocale());
QString TimeText(double days, const QLocale& locale = QLocale());
QString DateTimeText(double days, const QLocale& locale = QLocale());  // date, space, time

// For other programs to read: yyyy-MM-dd HH:mm:ss after display rounding, the wall-clock time
// the day count holds whatever the computer's time zone; empty for a day count no date holds.
// Written by IsoDateTimeTexts, which writes many of them.
QString IsoDateTimeText(double days);
// Reads yyyy-MM-dd HH:mm:ss, or with 'T' between date and time, to the millisecond of a
// fraction of a second after it; a UTC offset or 'Z' after that is accepted and ignored (the
// time is taken as the wall-clock time it reads).
double ReadIsoDateTime(const QString& text, bool* ok);
double ReadIsoDateTime(QLatin1StringView text, bool* ok);

// A level, mean or LEQ: fixed, one decimal, the locale's separator, no grouping.
QString OneDecimalText(double value, const QLocale& locale = QLocale());

// Reading back what the texts above wrote; ok tells whether the text was valid.
double ReadNumber(const QString& text, bool* ok, const QLocale& locale = QLocale());
// The message shown when a text that must be a number is not one.
QString NotANumberMessage(const QString& text);
// The message shown when a text that must be a date and time is not one.
QString NotADateTimeMessage(const QString& text);
double ReadDateTime(const QString& text, bool* ok, const QLocale& locale = QLocale());
double ReadDate(const QString& text, bool* ok, const QLocale& locale = QLocale());
double ReadTime(const QString& text, bool* ok, const QLocale& locale = QLocale());

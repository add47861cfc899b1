#include "shell/Formats.h"

#include "shell/IsoDateTimeTexts.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace {

const QDate DayZero(1899, 12, 30);
constexpr qint64 MsPerDay = 86400000;

// Removes the unquoted time-zone letters 't' of a Qt time format and the blanks around them.
QString WithoutTimeZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.simplified();
}

// A date read with the date format alone: a date read as a local date-time fails or moves
// where the computer's zone skips midnight.
QDate ParseDate(const QString& text, const QString& format, const QLocale& locale)
{
    QDate date = locale.toDate(text, format);
    if (!date.isValid()) {
        // Also accept a two-digit year as the user may type it.
        QString shortYear = format;
        shortYear.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
        date = locale.toDate(text, shortYear);
        if (date.isValid() && date.year() < 1950)
            date = date.addYears(100);
    }
    return date;
}

}  // namespace

double DaysFromDateAndTime(QDate date, QTime time)
{
    return static_cast<double>(DayZero.daysTo(date)) + static_cast<double>(time.msecsSinceStartOfDay()) / MsPerDay;
}

double DaysFromDateTime(const QDateTime& dateTime)
{
    return DaysFromDateAndTime(dateTime.date(), dateTime.time());
}

std::optional<DayCountParts> SplitDayCount(double days)
{
    // By arithmetic alone: a local-time conversion asks the system for its time zone on every
    // call, which costs more than all the rest of a text line, and drops the hour a zone skips.
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return std::nullopt;
    double whole = std::floor(days);
    qint64 ms = std::llround((days - whole) * MsPerDay);
    if (ms >= MsPerDay) {
        whole += 1;
        ms -= MsPerDay;
    }
    return DayCountParts{static_cast<qint64>(whole), static_cast<int>(ms)};
}

QDate DateOfDay(qint64 day) { return DayZero.addDays(day); }

namespace {

bool SplitDays(double days, QDate& date, QTime& time)
{
    const std::optional<DayCountParts> parts = SplitDayCount(days);
    if (!parts)
        return false;
    date = DateOfDay(parts->day);
    time = QTime::fromMSecsSinceStartOfDay(parts->ms);
    return true;
}

}  // namespace

QDateTime DateTimeFromDays(double days)
{
    QDate date;
    QTime time;
    if (!SplitDays(days, date, time))
        return {};
    return QDateTime(date, time, Qt::UTC);
}

double RoundForDisplay(double days)
{
    const std::optional<DayCountParts> parts = SplitDayCount(days);
    if (parts && parts->ms % 1000 > 500)
        return days + OneSecond;
    return days;
}

QString ShortDateFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

QString LongTimeFormat(const QLocale& locale)
{
    return WithoutTimeZone(locale.timeFormat(QLocale::LongFormat));
}

QString DateText(double days, const QLocale& locale)
{
    QDate date;
    QTime time;
    SplitDays(RoundForDisplay(days), date, time);
    return locale.toString(date, ShortDateFormat(locale));
}

QString TimeText(double days, const QLocale& locale)
{
    QDate date;
    QTime time;
    SplitDays(RoundForDisplay(days), date, time);
    return locale.toString(time, LongTimeFormat(locale));
}

QString DateTimeText(double days, const QLocale& locale)
{
    return DateText(days, locale) + u' ' + TimeText(days, locale);
}

QString IsoDateTimeText(double days)
{
    QByteArray text;
    IsoDateTimeTexts().Append(text, days);
    return QString::fromLatin1(text);
}

double ReadIsoDateTime(const QString& text, bool* ok)
{
    static const QRegularExpression iso(QStringLiteral(
        "^\\s*(\\d{4})-(\\d{2})-(\\d{2})[T ](\\d{2}):(\\d{2}):(\\d{2})(?:\\.\\d+)?(?:Z|[+-]\\d{2}(?::?\\d{2})?)?\\s*$"));
    const QRegularExpressionMatch match = iso.match(text);
    const QDate date = match.hasMatch()
        ? QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt())
        : QDate();
    const QTime time = match.hasMatch()
        ? QTime(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt())
        : QTime();
    const bool valid = date.isValid() && time.isValid();
    if (ok)
        *ok = valid;
    return valid ? DaysFromDateAndTime(date, time) : 0.0;
}

QString OneDecimalText(double value, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', 1);
}

double ReadNumber(const QString& text, bool* ok, const QLocale& locale)
{
    bool valid = false;
    const double value = locale.toDouble(text.trimmed(), &valid);
    if (ok)
        *ok = valid && std::isfinite(value);
    return valid ? value : 0.0;
}

QString NotANumberMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

QString NotADateTimeMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid date and time").arg(text);
}

double ReadDateTime(const QString& text, bool* ok, const QLocale& locale)
{
    // The date and the time are read apart, each with its own format; either may hold blanks
    // ("d. M. yyyy", "h:mm:ss AP"), so every blank is tried as the one between them.
    const QString trimmed = text.trimmed();
    const QString dateFormat = ShortDateFormat(locale);
    const QString timeFormat = LongTimeFormat(locale);
    for (qsizetype blank = trimmed.indexOf(u' '); blank > 0; blank = trimmed.indexOf(u' ', blank + 1)) {
        const QDate date = ParseDate(trimmed.left(blank), dateFormat, locale);
        if (!date.isValid())
            continue;
        const QTime time = locale.toTime(trimmed.mid(blank + 1), timeFormat);
        if (time.isValid()) {
            if (ok)
                *ok = true;
            return DaysFromDateAndTime(date, time);
        }
    }
    if (ok)
        *ok = false;
    return 0.0;
}

double ReadDate(const QString& text, bool* ok, const QLocale& locale)
{
    const QDate date = ParseDate(text.trimmed(), ShortDateFormat(locale), locale);
    if (ok)
        *ok = date.isValid();
    return date.isValid() ? DaysFromDateAndTime(date, QTime(0, 0)) : 0.0;
}

double ReadTime(const QString& text, bool* ok, const QLocale& locale)
{
    const QTime time = locale.toTime(text.trimmed(), LongTimeFormat(locale));
    if (ok)
        *ok = time.isValid();
    return time.isValid() ? static_cast<double>(time.msecsSinceStartOfDay()) / MsPerDay : 0.0;
}

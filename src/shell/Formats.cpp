#include "shell/Formats.h"

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

QDateTime Parse(const QString& text, const QString& format, const QLocale& locale)
{
    QDateTime result = locale.toDateTime(text.trimmed(), format);
    if (!result.isValid()) {
        // Also accept a two-digit year as the user may type it.
        QString shortYear = format;
        shortYear.replace(QStringLiteral("yyyy"), QStringLiteral("yy"));
        result = locale.toDateTime(text.trimmed(), shortYear);
        if (result.isValid() && result.date().year() < 1950)
            result = result.addYears(100);
    }
    return result;
}

double ReadWith(const QString& text, const QString& format, bool* ok, const QLocale& locale)
{
    const QDateTime dateTime = Parse(text, format, locale);
    if (ok)
        *ok = dateTime.isValid();
    return dateTime.isValid() ? DaysFromDateTime(dateTime) : 0.0;
}

}  // namespace

double DaysFromDateTime(const QDateTime& dateTime)
{
    const double days = static_cast<double>(DayZero.daysTo(dateTime.date()));
    return days + static_cast<double>(dateTime.time().msecsSinceStartOfDay()) / MsPerDay;
}

namespace {

// The calendar date and the time of day of a day count, without a local-time conversion:
// that conversion asks the system for its time zone on every call, which costs more than
// all the rest of a text line.
bool SplitDays(double days, QDate& date, QTime& time)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return false;
    double whole = std::floor(days);
    qint64 ms = std::llround((days - whole) * MsPerDay);
    if (ms >= MsPerDay) {
        whole += 1;
        ms -= MsPerDay;
    }
    date = DayZero.addDays(static_cast<qint64>(whole));
    time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
    return true;
}

}  // namespace

QDateTime DateTimeFromDays(double days)
{
    QDate date;
    QTime time;
    if (!SplitDays(days, date, time))
        return {};
    return QDateTime(date, time);
}

double RoundForDisplay(double days)
{
    QDate date;
    QTime time;
    if (SplitDays(days, date, time) && time.msec() > 500)
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
    QDate date;
    QTime time;
    if (!SplitDays(RoundForDisplay(days), date, time))
        return QString();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                  time.hour(), time.minute(), time.second());
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
    if (!valid)
        return 0.0;
    return static_cast<double>(DayZero.daysTo(date)) + static_cast<double>(time.msecsSinceStartOfDay()) / MsPerDay;
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
    return ReadWith(text, ShortDateFormat(locale) + u' ' + LongTimeFormat(locale), ok, locale);
}

double ReadDate(const QString& text, bool* ok, const QLocale& locale)
{
    return ReadWith(text, ShortDateFormat(locale), ok, locale);
}

double ReadTime(const QString& text, bool* ok, const QLocale& locale)
{
    const QTime time = locale.toTime(text.trimmed(), LongTimeFormat(locale));
    if (ok)
        *ok = time.isValid();
    return time.isValid() ? static_cast<double>(time.msecsSinceStartOfDay()) / MsPerDay : 0.0;
}

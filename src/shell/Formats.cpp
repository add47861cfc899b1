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

namespace {

// Days from 1899-12-30 to a date of the proleptic Gregorian calendar (H. Hinnant's
// days_from_civil), for a valid date.
constexpr qint64 DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<qint64>(era) * 146097 + dayOfEra - 693899;  // 1899-12-30 counted from 0000-03-01
}

constexpr int DaysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}
static_assert(DaysFromCivil(1899, 12, 30) == 0 && DaysFromCivil(1900, 3, 1) == 61);

// yyyy-MM-dd HH:mm:ss with 'T' or a blank between date and time, a fraction of a second, then
// 'Z' or a UTC offset (+hh, +hhmm, +hh:mm), all optional after the seconds; blanks around.
// Read by hand: a log of a million lines reads one per line.
template <typename View>
double ReadIsoText(View view, bool* ok)
{
    // Copied as Latin-1 into a buffer of its own.
    qsizetype from = 0;
    qsizetype to = view.size();
    const auto blank = [&view](qsizetype k) {
        const char16_t c = view[k].unicode();
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
    };
    while (from < to && blank(from))
        ++from;
    while (to > from && blank(to - 1))
        --to;
    char text[72] = {};
    const qsizetype length = to - from;
    bool valid = length >= 19 && length < static_cast<qsizetype>(sizeof text);
    for (qsizetype k = 0; valid && k < length; ++k) {
        const char16_t c = view[from + k].unicode();
        valid = c > 0 && c < 128;
        text[k] = static_cast<char>(c);
    }
    // Every look ahead goes through at(): past the text it reads a NUL, never past the buffer.
    const auto at = [&text, length](qsizetype k) { return k >= 0 && k < length ? text[k] : '\0'; };
    const auto isDigit = [&at](qsizetype k) { return at(k) >= '0' && at(k) <= '9'; };
    const auto number = [&](qsizetype k, int digits, int* value) {
        *value = 0;
        for (int d = 0; d < digits; ++d) {
            if (!isDigit(k + d))
                return false;
            *value = *value * 10 + (at(k + d) - '0');
        }
        return true;
    };
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    valid = valid && number(0, 4, &year) && at(4) == '-' && number(5, 2, &month) && at(7) == '-'
        && number(8, 2, &day) && (at(10) == 'T' || at(10) == ' ') && number(11, 2, &hour) && at(13) == ':'
        && number(14, 2, &minute) && at(16) == ':' && number(17, 2, &second);
    qsizetype k = 19;
    double fraction = 0.0;
    if (valid && at(k) == '.') {
        double scale = 0.1;
        valid = isDigit(++k);
        for (; isDigit(k); ++k, scale /= 10.0)
            fraction += (at(k) - '0') * scale;
    }
    if (valid && at(k) == 'Z') {
        ++k;
    } else if (valid && (at(k) == '+' || at(k) == '-')) {
        int offset = 0;
        valid = number(k + 1, 2, &offset);
        k += 3;
        const qsizetype minutes = at(k) == ':' ? k + 1 : k;
        if (valid && isDigit(minutes)) {
            valid = number(minutes, 2, &offset);
            k = minutes + 2;
        }
    }
    // Years 1 to 9999, as QDate takes them.
    valid = valid && k == length && year >= 1 && month >= 1 && month <= 12 && day >= 1
        && day <= DaysInMonth(year, month) && hour < 24 && minute < 60 && second < 60;
    if (ok)
        *ok = valid;
    if (!valid)
        return 0.0;
    // To the millisecond: a fraction that rounds up to the next second or day carries over.
    const qint64 ms = (hour * 3600LL + minute * 60LL + second) * 1000 + std::llround(fraction * 1000.0);
    return static_cast<double>(DaysFromCivil(year, month, day)) + static_cast<double>(ms) / MsPerDay;
}

}  // namespace

double ReadIsoDateTime(const QString& text, bool* ok) { return ReadIsoText(QStringView(text), ok); }

double ReadIsoDateTime(QLatin1StringView text, bool* ok) { return ReadIsoText(text, ok); }

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

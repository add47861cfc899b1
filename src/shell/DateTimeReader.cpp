#include "shell/DateTimeReader.h"

#include "shell/Formats.h"

#include <QTime>

#include <array>

namespace {

constexpr double MsPerDay = 86400000.0;

}  // namespace

DateTimeReader::DateTimeReader(const QLocale& locale)
    : locale(locale), timeFormat(LongTimeFormat(locale))
{
    int order = 0;
    bool quoted = false;
    QChar previous;
    for (const QChar c : timeFormat) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c == previous) {
            previous = c;
            continue;
        }
        previous = c;
        if (c == u'h' || c == u'H')
            hourAt = order++;
        else if (c == u'm')
            minuteAt = order++;
        else if (c == u's')
            secondAt = order++;
        else if (c == u'a' || c == u'A')
            twelveHours = true;
    }
    if (order != 3 || hourAt < 0 || minuteAt < 0 || secondAt < 0)
        hourAt = minuteAt = secondAt = -1;
}

std::optional<double> DateTimeReader::Read(const QString& date, const QString& time)
{
    const std::optional<double> day = ReadDay(date);
    const std::optional<double> timeOfDay = day ? ReadTimeOfDay(time) : std::nullopt;
    if (day && timeOfDay)
        return *day + *timeOfDay;
    bool ok = false;
    const double joined = ReadDateTime(date + u' ' + time, &ok, locale);
    return ok ? std::optional<double>(joined) : std::nullopt;
}

std::optional<double> DateTimeReader::ReadDay(const QString& date)
{
    if (date != lastDate) {
        bool ok = false;
        const double day = ReadDate(date, &ok, locale);
        lastDate = date;
        lastDay = ok ? std::optional<double>(day) : std::nullopt;
    }
    return lastDay;
}

std::optional<double> DateTimeReader::ReadTimeOfDay(const QString& time) const
{
    if (const std::optional<int> msecs = QuickMsecs(time))
        return *msecs / MsPerDay;
    bool ok = false;
    const double timeOfDay = ReadTime(time, &ok, locale);
    return ok ? std::optional<double>(timeOfDay) : std::nullopt;
}

std::optional<int> DateTimeReader::QuickMsecs(const QString& time) const
{
    if (hourAt < 0)
        return std::nullopt;
    std::array<int, 3> numbers{};
    int count = 0;
    bool inNumber = false;
    for (const QChar c : time) {
        if (c >= u'0' && c <= u'9') {
            if (!inNumber && ++count > 3)
                return std::nullopt;
            inNumber = true;
            int& n = numbers[static_cast<std::size_t>(count - 1)];
            n = n * 10 + (c.unicode() - u'0');
            if (n > 99)
                return std::nullopt;
        } else {
            inNumber = false;
        }
    }
    if (count != 3)
        return std::nullopt;
    int hour = numbers[static_cast<std::size_t>(hourAt)];
    if (twelveHours) {
        const bool pm = time.contains(locale.pmText(), Qt::CaseInsensitive);
        const bool am = time.contains(locale.amText(), Qt::CaseInsensitive);
        if (pm == am || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime candidate(hour, numbers[static_cast<std::size_t>(minuteAt)],
                          numbers[static_cast<std::size_t>(secondAt)]);
    // Only the text the locale itself writes for that time is taken this way.
    if (!candidate.isValid() || locale.toString(candidate, timeFormat) != time)
        return std::nullopt;
    return candidate.msecsSinceStartOfDay();
}

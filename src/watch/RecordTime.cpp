#include "watch/RecordTime.h"

#include "shell/Formats.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// The UTC offset changes at most at a whole local hour; asking the system for it costs more
// than the rest of a record, so it is asked once an hour.
qint64 OffsetSecondsOf(const QDateTime& local)
{
    static qint64 cachedHour = std::numeric_limits<qint64>::min();
    static qint64 cachedOffset = 0;
    const qint64 hour = local.date().toJulianDay() * 24 + local.time().hour();
    if (hour != cachedHour) {
        cachedOffset = local.offsetFromUtc();
        cachedHour = hour;
    }
    return cachedOffset;
}

}  // namespace

QString RecordTimeText(double days)
{
    const QDateTime time = DateTimeFromDays(days);
    const QDate date = time.date();
    const QTime clock = time.time();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", date.year(), date.month(), date.day(),
                  clock.hour(), clock.minute(), clock.second(), clock.msec());
    return QString::fromLatin1(text);
}

RecordUtc RecordUtcOf(double days)
{
    const QDateTime local = DateTimeFromDays(days);
    if (!local.isValid())
        return {};
    const qint64 offset = OffsetSecondsOf(local);
    const QDate date = local.date();
    const QTime clock = local.time();
    const qint64 localMs = (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86400000
        + clock.msecsSinceStartOfDay();
    const qint64 minutes = std::llabs(offset) / 60;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02lld:%02lld", date.year(), date.month(),
                  date.day(), clock.hour(), clock.minute(), clock.second(), clock.msec(), offset < 0 ? '-' : '+',
                  minutes / 60, minutes % 60);
    return {QString::fromLatin1(text), localMs - offset * 1000};
}

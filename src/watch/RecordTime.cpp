#include "watch/RecordTime.h"

#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// The UTC offset changes at most at a whole local hour (a half hour in a few zones); asking the
// system for it costs more than the rest of a record, so it is asked once a half hour of local
// time, and again whenever the process's zone (TZ) changes.
qint64 OffsetSecondsOf(double days, const QDateTime& local)
{
    static qint64 cachedSlot = std::numeric_limits<qint64>::min();
    static qint64 cachedOffset = 0;
    static std::string cachedZone;
    const char* zone = std::getenv("TZ");
    const qint64 slot = local.date().toJulianDay() * 48 + local.time().hour() * 2 + local.time().minute() / 30;
    if (slot != cachedSlot || cachedZone != (zone ? zone : "")) {
        cachedOffset = LocalUtcOffsetSeconds(days);
        cachedSlot = slot;
        cachedZone = zone ? zone : "";
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

RecordUtc RecordUtcOf(double days, std::optional<std::int64_t> offsetSeconds)
{
    const QDateTime local = DateTimeFromDays(days);
    if (!local.isValid())
        return {};
    const qint64 offset = offsetSeconds ? *offsetSeconds : OffsetSecondsOf(days, local);
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

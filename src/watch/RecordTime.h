#pragma once
#include <QString>

#include <cstdint>
#include <optional>

// The computer's time of a record (days, local) as yyyy-MM-dd HH:mm:ss.zzz.
QString RecordTimeText(double days);

// The same time in ISO 8601 with its UTC offset (2026-03-09T14:05:07.250+01:00) and as
// milliseconds since 1970 UTC: offsetSeconds when the record's maker knew it, else the offset
// the computer's time zone has at that local time.
struct RecordUtc {
    QString iso;
    qint64 epochMs = 0;
};
RecordUtc RecordUtcOf(double days, std::optional<std::int64_t> offsetSeconds = std::nullopt);

#pragma once
#include "link/MeterStatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <utility>

class EnergyAverage;

enum class WatchFormat { Csv, Jsonl, Influx };
enum class WatchEvent { Lost, Resumed, Dropped };

// What every record of a run carries beside its own fields.
struct RecordStamp {
    double time = 0.0;      // the computer's clock (days, local)
    std::uint64_t seq = 0;  // one more for each record of the meter
    QString meter;          // its serial number
};

// How records are written: the format and, for the line protocol, the user's own tags.
struct RecordStyle {
    WatchFormat format = WatchFormat::Csv;
    QList<std::pair<QString, QString>> tags;
};

// The records of qx574 watch, one line each ending in "\n": CSV under one header shared by
// every kind of record, one JSON object per line with the same fields, or InfluxDB line
// protocol (measurements sound_level, sound_leq and sound_event, nanoseconds UTC). Times are
// the computer's clock (days) written yyyy-MM-dd HH:mm:ss.zzz, and again in ISO 8601 with the
// UTC offset (utc) so that a record read elsewhere is not ambiguous; levels have one decimal
// and '.' in every locale, for other programs to read. Columns added later go at the end, so
// that readers of older files keep working.

// The CSV header line; nothing for the other formats.
QByteArray WatchHeader(WatchFormat format);

// A reading: the level the meter displays, weighting, response, range, OVER/UNDER and the
// meter's own clock.
QByteArray ReadingRecord(const RecordStyle& style, const RecordStamp& stamp, const MeterStatus& status);

// An interval's Leq, Lmax, Lmin, the number of readings in it, the seconds they stand for
// (secondsEach apiece) and its sound energy in Pa²·s, which sums over any span.
QByteArray LeqRecord(const RecordStyle& style, const RecordStamp& stamp, const EnergyAverage& interval,
                     double secondsEach);

// The meter lost or found again, or records dropped, with a note saying why or how many.
QByteArray EventRecord(const RecordStyle& style, const RecordStamp& stamp, WatchEvent event, const QString& note);

// The sound energy Σ p²·Δt of the levels in interval, secondsEach seconds apiece, in Pa²·s
// (p0 = 20 µPa). The Leq of any set of intervals is 10·log10(Σ energy / (Σ seconds · p0²)).
double SoundEnergyPa2s(const EnergyAverage& interval, double secondsEach);

// The computer's time of a record.
QString RecordTimeText(double days);

// The same time in ISO 8601 with its UTC offset (2026-03-09T14:05:07.250+01:00) and as
// milliseconds since 1970 UTC, by the computer's time zone.
struct RecordUtc {
    QString iso;
    qint64 epochMs = 0;
};
RecordUtc RecordUtcOf(double days);

// The meter's clock and date as yyyy-MM-dd HH:mm:ss; empty when one of its bytes is not BCD,
// which is also how the meter says its clock is not to be shown (0x5A).
QString MeterClockText(const MeterStatus& status);

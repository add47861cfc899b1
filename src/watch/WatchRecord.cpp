#include "watch/WatchRecord.h"

#include "leq/EnergyAverage.h"
#include "link/MeterRange.h"
#include "link/MeterSettings.h"
#include "watch/RecordTime.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double ReferencePressurePa = 20e-6;

// Rounded once, so that every format shows the same tenth.
QByteArray LevelText(double level) { return QByteArray::number(std::round(level * 10.0) / 10.0, 'f', 1); }

// The fields every record has.
WatchRecord Stamped(const RecordStamp& stamp, WatchRecord::Kind kind, const char* name)
{
    WatchRecord record;
    record.kind = kind;
    record.seq = stamp.seq;
    record.Put(RecordField::Time, RecordTimeText(stamp.time).toUtf8());
    record.Put(RecordField::Record, name);
    record.Put(RecordField::Seq, QByteArray::number(static_cast<qulonglong>(stamp.seq)));
    record.Put(RecordField::Meter, stamp.meter.toUtf8());
    const RecordUtc utc = RecordUtcOf(stamp.time, stamp.utcOffsetSeconds);
    record.Put(RecordField::Utc, utc.iso.toUtf8());
    record.epochMs = utc.epochMs;
    return record;
}

// A range code the meter does not have stays empty rather than passing for another range.
QString RangeText(std::uint8_t code)
{
    for (const MeterRange& range : MeterRanges)
        if (range.code == code)
            return RangeName(range);
    return {};
}

QByteArray OverUnderText(const MeterStatus& status)
{
    if (status.over && status.under)
        return "OVER UNDER";
    if (status.over)
        return "OVER";
    return status.under ? "UNDER" : "";
}

const char* EventName(WatchEvent event)
{
    switch (event) {
    case WatchEvent::Lost:
        return "lost";
    case WatchEvent::Resumed:
        return "resumed";
    case WatchEvent::Dropped:
        break;
    }
    return "dropped";
}

}  // namespace

WatchRecord ReadingRecord(const RecordStamp& stamp, const MeterStatus& status)
{
    WatchRecord record = Stamped(stamp, WatchRecord::Kind::Reading, ReadingRecordName);
    record.Put(RecordField::LevelDb, LevelText(DisplayedLevel(status) / 10.0));
    record.Put(RecordField::Weighting, WeightingName(status.aWeighting ? Weighting::A : Weighting::C).toUtf8());
    record.Put(RecordField::Response, ResponseName(status.fast ? Response::Fast : Response::Slow).toUtf8());
    record.Put(RecordField::Range, RangeText(status.rangeCode).toUtf8());
    record.Put(RecordField::OverUnder, OverUnderText(status));
    record.Put(RecordField::MeterClock, MeterClockText(status).toUtf8());
    return record;
}

WatchRecord LeqRecord(const RecordStamp& stamp, const EnergyAverage& interval, double secondsEach)
{
    WatchRecord record = Stamped(stamp, WatchRecord::Kind::Leq, "leq");
    if (interval.Count() > 0) {
        record.Put(RecordField::LeqDb, LevelText(*interval.Leq()));
        record.Put(RecordField::LmaxDb, LevelText(*interval.Lmax()));
        record.Put(RecordField::LminDb, LevelText(*interval.Lmin()));
    }
    record.Put(RecordField::Readings, QByteArray::number(interval.Count()));
    record.Put(RecordField::EnergyPa2s, QByteArray::number(SoundEnergyPa2s(interval, secondsEach), 'g', 7));
    record.Put(RecordField::Seconds, QByteArray::number(interval.Count() * secondsEach, 'g', 12));
    return record;
}

WatchRecord EventRecord(const RecordStamp& stamp, WatchEvent event, const QString& note)
{
    WatchRecord record = Stamped(stamp, WatchRecord::Kind::Event, EventName(event));
    record.Put(RecordField::Note, note.toUtf8());
    return record;
}

double SoundEnergyPa2s(const EnergyAverage& interval, double secondsEach)
{
    return ReferencePressurePa * ReferencePressurePa * interval.EnergySum() * secondsEach;
}

QString MeterClockText(const MeterStatus& status)
{
    const std::uint8_t bytes[] = {status.year, status.month, status.day, status.hours, status.minutes, status.seconds};
    int fields[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<int> value = DecodeBcd(bytes[i]);
        if (!value)
            return {};
        fields[i] = *value;
    }
    char text[24];
    std::snprintf(text, sizeof text, "20%02d-%02d-%02d %02d:%02d:%02d", fields[0], fields[1], fields[2], fields[3],
                  fields[4], fields[5]);
    return QString::fromLatin1(text);
}

#pragma once
#include "files/WatchLogFields.h"
#include "link/MeterStatus.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

class EnergyAverage;

enum class WatchEvent { Lost, Resumed, Dropped };

// What every record of a run carries beside its own fields.
struct RecordStamp {
    double time = 0.0;      // the computer's clock (days, local)
    std::uint64_t seq = 0;  // one more for each record of the meter
    QString meter;          // its serial number
    // The zone's offset from UTC when the record was made, in seconds: in the hour a clock
    // change repeats, the local time alone does not say which of the two it is. None: the
    // offset of the local time.
    std::optional<std::int64_t> utcOffsetSeconds = {};
};

// One record of qx574 watch: a reading, an interval's Leq or an event, built once from what the
// run saw and handed to every output, so that the CSV, the JSON lines, the line protocol and
// the MQTT message cannot disagree. Its fields are kept as the text every format writes:
// times are the computer's clock written yyyy-MM-dd HH:mm:ss.zzz, and again in ISO 8601 with
// the UTC offset (utc) so that a record read elsewhere is not ambiguous; levels are rounded
// once to one decimal with '.' in every locale, for other programs to read.
struct WatchRecord {
    enum class Kind { Reading, Leq, Event };

    Kind kind = Kind::Reading;
    std::uint64_t seq = 0;
    qint64 epochMs = 0;  // the time as milliseconds since 1970 UTC

    // A field left unset is absent (an empty CSV cell, no JSON key, no line protocol field).
    const std::optional<QByteArray>& Field(RecordField field) const { return fields[Index(field)]; }
    void Put(RecordField field, QByteArray text) { fields[Index(field)] = std::move(text); }

private:
    static std::size_t Index(RecordField field) { return static_cast<std::size_t>(field); }

    std::array<std::optional<QByteArray>, RecordFieldCount> fields;
};

// A reading: the level the meter displays, weighting, response, range, OVER/UNDER and the
// meter's own clock.
WatchRecord ReadingRecord(const RecordStamp& stamp, const MeterStatus& status);

// An interval's Leq, Lmax, Lmin, the number of readings in it, the seconds they stand for
// (secondsEach apiece) and its sound energy in Pa²·s, which sums over any span.
WatchRecord LeqRecord(const RecordStamp& stamp, const EnergyAverage& interval, double secondsEach);

// The meter lost or found again, or records dropped, with a note saying why or how many.
WatchRecord EventRecord(const RecordStamp& stamp, WatchEvent event, const QString& note);

// The sound energy Σ p²·Δt of the levels in interval, secondsEach seconds apiece, in Pa²·s
// (p0 = 20 µPa). The Leq of any set of intervals is 10·log10(Σ energy / (Σ seconds · p0²)).
double SoundEnergyPa2s(const EnergyAverage& interval, double secondsEach);

// The meter's clock and date as yyyy-MM-dd HH:mm:ss; empty when one of its bytes is not BCD,
// which is also how the meter says its clock is not to be shown (0x5A).
QString MeterClockText(const MeterStatus& status);

#pragma once
#include "link/MeterStatus.h"

#include <QByteArray>
#include <QString>

class EnergyAverage;

enum class WatchFormat { Csv, Jsonl };
enum class WatchEvent { Lost, Resumed };

// The records of qx574 watch, one line each ending in "\n": CSV under one header shared by
// every kind of record, or one JSON object per line with the same fields. Times are the
// computer's clock (days) written yyyy-MM-dd HH:mm:ss.zzz; levels have one decimal and '.'
// in every locale, for other programs to read.

// The CSV header line; nothing for JSON lines.
QByteArray WatchHeader(WatchFormat format);

// A reading: the level the meter displays, weighting, response, range, OVER/UNDER and the
// meter's own clock.
QByteArray ReadingRecord(WatchFormat format, double time, const MeterStatus& status);

// An interval's Leq, Lmax, Lmin and the number of readings in it.
QByteArray LeqRecord(WatchFormat format, double time, const EnergyAverage& interval);

// The meter lost or found again, with a note saying why or for how long.
QByteArray EventRecord(WatchFormat format, double time, WatchEvent event, const QString& note);

// The computer's time of a record.
QString RecordTimeText(double days);

// The meter's clock and date as yyyy-MM-dd HH:mm:ss; empty when one of its bytes is not BCD,
// which is also how the meter says its clock is not to be shown (0x5A).
QString MeterClockText(const MeterStatus& status);

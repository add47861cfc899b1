#pragma once
#include "watch/WatchRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

enum class WatchFormat { Csv, Jsonl, Influx };

// The user's own tags of the line protocol (--tag key=value).
using RecordTags = QList<std::pair<QString, QString>>;

// How records are written to a file or standard output: the format and, for the line
// protocol, the user's own tags.
struct RecordStyle {
    WatchFormat format = WatchFormat::Csv;
    RecordTags tags;
};

// The encoders of one record value, each writing the texts the record holds. A line ends in
// "\n".

// The CSV header line, one column per field of every kind of record; nothing for the other
// formats.
QByteArray WatchHeader(WatchFormat format);

// A CSV line under that header; a field the record lacks is an empty cell.
QByteArray CsvRecordLine(const WatchRecord& record);

// A JSON object with the fields the record has, on a line of its own.
QByteArray JsonRecordLine(const WatchRecord& record);

// What MQTT publishes of a record: the same JSON object, without the line feed.
QByteArray MqttRecordPayload(const WatchRecord& record);

// InfluxDB line protocol: the measurement sound_level, sound_leq or sound_event by the record's
// kind, tagged with the meter (and the reading's settings, or the event) and the user's tags,
// the time in nanoseconds UTC.
QByteArray InfluxRecordLine(const WatchRecord& record, const RecordTags& tags);

// The line of the style's format.
QByteArray EncodeRecord(const RecordStyle& style, const WatchRecord& record);

#pragma once
#include <cstddef>

// The fields of a record of qx574 watch, described once for the program that writes them
// (CSV columns, JSON keys, line protocol fields and tags, MQTT messages) and for everything
// that reads them back (a survey's recording, a list graphed, Home Assistant's templates).
// In the order of the CSV columns: fields added later go at the end, so that readers of older
// files keep working.
enum class RecordField {
    Time, Record, LevelDb, Weighting, Response, Range, OverUnder, MeterClock, LeqDb, LmaxDb, LminDb, Readings, Note,
    Seq, Meter, EnergyPa2s, Seconds, Utc
};
inline constexpr int RecordFieldCount = static_cast<int>(RecordField::Utc) + 1;

// Texts are quoted in JSON and the line protocol; numbers stand bare, integers with the line
// protocol's 'i'.
enum class FieldKind { Text, Number, Integer };

struct FieldInfo {
    const char* name;  // the CSV column, the JSON key, the line protocol's field or tag
    FieldKind kind;
};

const FieldInfo& InfoOf(RecordField field);
// The field's name, as every format writes it: "level_db".
inline const char* NameOf(RecordField field) { return InfoOf(field).name; }

// The record field's value that marks a reading (the others are Leq records and events).
inline constexpr const char* ReadingRecordName = "reading";

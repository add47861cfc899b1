#include "watch/RecordEncoders.h"

#include <cstdio>
#include <initializer_list>

namespace {

QByteArray CsvCell(const QByteArray& text)
{
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n') && !text.contains('\r'))
        return text;
    QByteArray quoted = text;
    quoted.replace("\"", "\"\"");
    return '"' + quoted + '"';
}

void AppendJsonString(QByteArray& out, const QByteArray& text)
{
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

QByteArray JsonObject(const WatchRecord& record)
{
    QByteArray object;
    object.reserve(384);
    object += '{';
    for (int i = 0; i < RecordFieldCount; ++i) {
        const auto field = static_cast<RecordField>(i);
        const std::optional<QByteArray>& text = record.Field(field);
        if (!text)
            continue;
        if (object.size() > 1)
            object += ',';
        object += '"';
        object += InfoOf(field).name;
        object += "\":";
        if (InfoOf(field).kind == FieldKind::Text)
            AppendJsonString(object, *text);
        else
            object += *text;
    }
    return object + '}';
}

// The line protocol has no way to carry a line break inside a line.
char WithoutBreak(char c) { return (c == '\n' || c == '\r') ? ' ' : c; }

// Measurement names escape commas and spaces; tag keys, tag values and field keys also '='.
// A backslash stands for itself there (InfluxDB 1.x keeps it as written).
void AppendInfluxName(QByteArray& out, const QByteArray& text, bool escapeEquals = true)
{
    for (const char c : text) {
        if (c == ',' || c == ' ' || (escapeEquals && c == '='))
            out += '\\';
        out += WithoutBreak(c);
    }
}

void AppendInfluxString(QByteArray& out, const QByteArray& text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += WithoutBreak(c);
    }
    out += '"';
}

void AppendInfluxTag(QByteArray& out, const QByteArray& key, const QByteArray& value)
{
    // The line protocol has no empty tag value.
    if (value.isEmpty())
        return;
    out += ',';
    AppendInfluxName(out, key);
    out += '=';
    AppendInfluxName(out, value);
}

// Which fields are the line protocol's tags, and which its fields, for each measurement.
struct Measurement {
    const char* name;
    std::initializer_list<RecordField> tags;
    std::initializer_list<RecordField> fields;
};

const Measurement LevelMeasurement{
    "sound_level",
    {RecordField::Meter, RecordField::Weighting, RecordField::Response, RecordField::Range},
    {RecordField::LevelDb, RecordField::OverUnder, RecordField::Seq}};
const Measurement LeqMeasurement{"sound_leq",
                                 {RecordField::Meter},
                                 {RecordField::LeqDb, RecordField::LmaxDb, RecordField::LminDb, RecordField::Readings,
                                  RecordField::EnergyPa2s, RecordField::Seconds, RecordField::Seq}};
const Measurement EventMeasurement{"sound_event", {RecordField::Meter, RecordField::Record},
                                   {RecordField::Note, RecordField::Seq}};

const Measurement& MeasurementOf(WatchRecord::Kind kind)
{
    switch (kind) {
    case WatchRecord::Kind::Reading:
        return LevelMeasurement;
    case WatchRecord::Kind::Leq:
        return LeqMeasurement;
    case WatchRecord::Kind::Event:
        break;
    }
    return EventMeasurement;
}

}  // namespace

QByteArray WatchHeader(WatchFormat format)
{
    if (format != WatchFormat::Csv)
        return {};
    QByteArray header;
    for (int i = 0; i < RecordFieldCount; ++i) {
        if (!header.isEmpty())
            header += ',';
        header += InfoOf(static_cast<RecordField>(i)).name;
    }
    return header + '\n';
}

QByteArray CsvRecordLine(const WatchRecord& record)
{
    QByteArray line;
    line.reserve(256);
    for (int i = 0; i < RecordFieldCount; ++i) {
        const auto field = static_cast<RecordField>(i);
        if (i > 0)
            line += ',';
        if (const std::optional<QByteArray>& text = record.Field(field))
            line += InfoOf(field).kind == FieldKind::Text ? CsvCell(*text) : *text;
    }
    return line + '\n';
}

QByteArray JsonRecordLine(const WatchRecord& record) { return JsonObject(record) + '\n'; }

QByteArray MqttRecordPayload(const WatchRecord& record) { return JsonObject(record); }

QByteArray InfluxRecordLine(const WatchRecord& record, const RecordTags& tags)
{
    const Measurement& measurement = MeasurementOf(record.kind);
    QByteArray line;
    line.reserve(256);
    AppendInfluxName(line, measurement.name, false);
    // An event's record (lost, resumed, dropped) is its tag "event".
    for (const RecordField tag : measurement.tags)
        if (const std::optional<QByteArray>& value = record.Field(tag))
            AppendInfluxTag(line, tag == RecordField::Record ? QByteArray("event") : QByteArray(InfoOf(tag).name), *value);
    for (const auto& [key, value] : tags)
        AppendInfluxTag(line, key.toUtf8(), value.toUtf8());
    char separator = ' ';
    for (const RecordField field : measurement.fields) {
        const std::optional<QByteArray>& text = record.Field(field);
        if (!text)
            continue;
        line += separator;
        separator = ',';
        AppendInfluxName(line, InfoOf(field).name);
        line += '=';
        if (InfoOf(field).kind == FieldKind::Text) {
            AppendInfluxString(line, *text);
        } else {
            line += *text;
            if (InfoOf(field).kind == FieldKind::Integer)
                line += 'i';
        }
    }
    line += ' ';
    line += QByteArray::number(record.epochMs * 1000000);
    return line + '\n';
}

QByteArray EncodeRecord(const RecordStyle& style, const WatchRecord& record)
{
    switch (style.format) {
    case WatchFormat::Jsonl:
        return JsonRecordLine(record);
    case WatchFormat::Influx:
        return InfluxRecordLine(record, style.tags);
    case WatchFormat::Csv:
        break;
    }
    return CsvRecordLine(record);
}

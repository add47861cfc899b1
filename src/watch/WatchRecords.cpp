#include "watch/WatchRecords.h"

#include "leq/EnergyAverage.h"
#include "link/MeterRange.h"
#include "shell/Formats.h"

#include <QDateTime>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

// Every field a record may carry, in the order of the CSV columns.
enum Column {
    Time, Record, LevelDb, Weighting, Response, RangeField, OverUnder, MeterClock, LeqDb, LmaxDb, LminDb, Readings,
    Note, Seq, Meter, EnergyPa2s, Seconds, Utc, ColumnCount
};

// Texts are quoted in JSON and the line protocol; numbers stand bare, integers with the
// line protocol's 'i'.
enum class Kind { Text, Number, Integer };

struct ColumnInfo {
    const char* name;
    Kind kind;
};

constexpr std::array<ColumnInfo, ColumnCount> Columns{{
    {"time", Kind::Text},       {"record", Kind::Text},     {"level_db", Kind::Number},
    {"weighting", Kind::Text},  {"response", Kind::Text},   {"range", Kind::Text},
    {"over_under", Kind::Text}, {"meter_clock", Kind::Text}, {"leq_db", Kind::Number},
    {"lmax_db", Kind::Number},  {"lmin_db", Kind::Number},  {"readings", Kind::Integer},
    {"note", Kind::Text},       {"seq", Kind::Integer},     {"meter", Kind::Text},
    {"energy_pa2s", Kind::Number}, {"seconds", Kind::Number}, {"utc", Kind::Text},
}};

constexpr double ReferencePressurePa = 20e-6;

// The fields of one record, by column; a field left unset is absent (an empty CSV cell).
struct Fields {
    std::array<QByteArray, ColumnCount> text;
    std::array<bool, ColumnCount> set{};
    qint64 epochMs = 0;

    void Text(Column column, const QString& value) { Put(column, value.toUtf8()); }
    void Put(Column column, QByteArray value)
    {
        text[column] = std::move(value);
        set[column] = true;
    }
};

// Rounded once, so that every format shows the same tenth.
QByteArray LevelText(double level) { return QByteArray::number(std::round(level * 10.0) / 10.0, 'f', 1); }

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

QByteArray CsvLine(const Fields& fields)
{
    QByteArray line;
    line.reserve(256);
    for (int i = 0; i < ColumnCount; ++i) {
        if (i > 0)
            line += ',';
        if (fields.set[i])
            line += Columns[i].kind == Kind::Text ? CsvCell(fields.text[i]) : fields.text[i];
    }
    return line + '\n';
}

QByteArray JsonLine(const Fields& fields)
{
    QByteArray line;
    line.reserve(384);
    line += '{';
    for (int i = 0; i < ColumnCount; ++i) {
        if (!fields.set[i])
            continue;
        if (line.size() > 1)
            line += ',';
        line += '"';
        line += Columns[i].name;
        line += "\":";
        if (Columns[i].kind == Kind::Text)
            AppendJsonString(line, fields.text[i]);
        else
            line += fields.text[i];
    }
    return line + "}\n";
}

// Which columns are the line protocol's tags, and which its fields, for each measurement.
struct Measurement {
    const char* name;
    std::initializer_list<Column> tags;
    std::initializer_list<Column> fields;
};

const Measurement LevelMeasurement{"sound_level", {Meter, Weighting, Response, RangeField}, {LevelDb, OverUnder, Seq}};
const Measurement LeqMeasurement{
    "sound_leq", {Meter}, {LeqDb, LmaxDb, LminDb, Readings, EnergyPa2s, Seconds, Seq}};
const Measurement EventMeasurement{"sound_event", {Meter, Record}, {Note, Seq}};

QByteArray InfluxLine(const RecordStyle& style, const Measurement& measurement, const Fields& fields)
{
    QByteArray line;
    line.reserve(256);
    AppendInfluxName(line, measurement.name, false);
    for (const Column tag : measurement.tags)
        if (fields.set[tag])
            AppendInfluxTag(line, tag == Record ? QByteArrayLiteral("event") : QByteArray(Columns[tag].name),
                            fields.text[tag]);
    for (const auto& [key, value] : style.tags)
        AppendInfluxTag(line, key.toUtf8(), value.toUtf8());
    char separator = ' ';
    for (const Column field : measurement.fields) {
        if (!fields.set[field])
            continue;
        line += separator;
        separator = ',';
        AppendInfluxName(line, Columns[field].name);
        line += '=';
        if (Columns[field].kind == Kind::Text) {
            AppendInfluxString(line, fields.text[field]);
        } else {
            line += fields.text[field];
            if (Columns[field].kind == Kind::Integer)
                line += 'i';
        }
    }
    line += ' ';
    line += QByteArray::number(fields.epochMs * 1000000);
    return line + '\n';
}

QByteArray Line(const RecordStyle& style, const Measurement& measurement, const Fields& fields)
{
    switch (style.format) {
    case WatchFormat::Jsonl:
        return JsonLine(fields);
    case WatchFormat::Influx:
        return InfluxLine(style, measurement, fields);
    case WatchFormat::Csv:
        break;
    }
    return CsvLine(fields);
}

// The fields every record has.
Fields Stamped(const RecordStamp& stamp, const char* record)
{
    Fields fields;
    fields.Text(Time, RecordTimeText(stamp.time));
    fields.Put(Record, record);
    fields.Put(Seq, QByteArray::number(static_cast<qulonglong>(stamp.seq)));
    fields.Text(Meter, stamp.meter);
    const RecordUtc utc = RecordUtcOf(stamp.time);
    fields.Text(Utc, utc.iso);
    fields.epochMs = utc.epochMs;
    return fields;
}

QString RangeText(std::uint8_t code)
{
    for (const MeterRange& range : MeterRanges)
        if (range.code == code)
            return QStringLiteral("%1-%2").arg(range.lowDb).arg(range.highDb);
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

QByteArray WatchHeader(WatchFormat format)
{
    if (format != WatchFormat::Csv)
        return {};
    QByteArray header;
    for (const ColumnInfo& column : Columns) {
        if (!header.isEmpty())
            header += ',';
        header += column.name;
    }
    return header + '\n';
}

QByteArray ReadingRecord(const RecordStyle& style, const RecordStamp& stamp, const MeterStatus& status)
{
    Fields fields = Stamped(stamp, "reading");
    fields.Put(LevelDb, LevelText(DisplayedLevel(status) / 10.0));
    fields.Put(Weighting, status.aWeighting ? "dBA" : "dBC");
    fields.Put(Response, status.fast ? "FAST" : "SLOW");
    fields.Text(RangeField, RangeText(status.rangeCode));
    fields.Put(OverUnder, OverUnderText(status));
    fields.Text(MeterClock, MeterClockText(status));
    return Line(style, LevelMeasurement, fields);
}

QByteArray LeqRecord(const RecordStyle& style, const RecordStamp& stamp, const EnergyAverage& interval,
                     double secondsEach)
{
    Fields fields = Stamped(stamp, "leq");
    if (interval.Count() > 0) {
        fields.Put(LeqDb, LevelText(*interval.Leq()));
        fields.Put(LmaxDb, LevelText(*interval.Lmax()));
        fields.Put(LminDb, LevelText(*interval.Lmin()));
    }
    fields.Put(Readings, QByteArray::number(interval.Count()));
    fields.Put(EnergyPa2s, QByteArray::number(SoundEnergyPa2s(interval, secondsEach), 'g', 7));
    fields.Put(Seconds, QByteArray::number(interval.Count() * secondsEach, 'g', 12));
    return Line(style, LeqMeasurement, fields);
}

QByteArray EventRecord(const RecordStyle& style, const RecordStamp& stamp, WatchEvent event, const QString& note)
{
    Fields fields = Stamped(stamp, EventName(event));
    fields.Text(Note, note);
    return Line(style, EventMeasurement, fields);
}

double SoundEnergyPa2s(const EnergyAverage& interval, double secondsEach)
{
    return ReferencePressurePa * ReferencePressurePa * interval.EnergySum() * secondsEach;
}

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

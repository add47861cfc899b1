#include "cli/WatchRecords.h"

#include "leq/EnergyAverage.h"
#include "link/MeterRange.h"
#include "shell/Formats.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <vector>

namespace {

// Every field a record may carry, in the order of the CSV columns.
const char* const Columns[] = {"time",   "record",  "level_db", "weighting", "response",
                               "range",  "over_under", "meter_clock", "leq_db", "lmax_db",
                               "lmin_db", "readings", "note"};

struct Field {
    const char* name;
    QJsonValue json;
    QByteArray csv;
};

QByteArray CsvText(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

Field Text(const char* name, const QString& text) { return {name, text, CsvText(text)}; }

// Rounded once, so that both formats show the same tenth.
Field Level(const char* name, double level)
{
    const double tenths = std::round(level * 10.0) / 10.0;
    return {name, tenths, QByteArray::number(tenths, 'f', 1)};
}

Field Count(const char* name, int count) { return {name, count, QByteArray::number(count)}; }

QByteArray Line(WatchFormat format, const std::vector<Field>& fields)
{
    if (format == WatchFormat::Jsonl) {
        QJsonObject object;
        for (const Field& field : fields)
            object.insert(QLatin1String(field.name), field.json);
        return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    }
    QByteArray line;
    for (std::size_t i = 0; i < std::size(Columns); ++i) {
        if (i > 0)
            line += ',';
        for (const Field& field : fields)
            if (qstrcmp(field.name, Columns[i]) == 0)
                line += field.csv;
    }
    return line + '\n';
}

QString RangeText(std::uint8_t code)
{
    for (const MeterRange& range : MeterRanges)
        if (range.code == code)
            return QStringLiteral("%1-%2").arg(range.lowDb).arg(range.highDb);
    return {};
}

QString OverUnderText(const MeterStatus& status)
{
    QStringList words;
    if (status.over)
        words << QStringLiteral("OVER");
    if (status.under)
        words << QStringLiteral("UNDER");
    return words.join(u' ');
}

}  // namespace

QByteArray WatchHeader(WatchFormat format)
{
    if (format == WatchFormat::Jsonl)
        return {};
    QByteArrayList names;
    for (const char* column : Columns)
        names << column;
    return names.join(',') + '\n';
}

QByteArray ReadingRecord(WatchFormat format, double time, const MeterStatus& status)
{
    return Line(format, {Text("time", RecordTimeText(time)),
                         Text("record", QStringLiteral("reading")),
                         Level("level_db", DisplayedLevel(status) / 10.0),
                         Text("weighting", status.aWeighting ? QStringLiteral("dBA") : QStringLiteral("dBC")),
                         Text("response", status.fast ? QStringLiteral("FAST") : QStringLiteral("SLOW")),
                         Text("range", RangeText(status.rangeCode)),
                         Text("over_under", OverUnderText(status)),
                         Text("meter_clock", MeterClockText(status))});
}

QByteArray LeqRecord(WatchFormat format, double time, const EnergyAverage& interval)
{
    std::vector<Field> fields{Text("time", RecordTimeText(time)), Text("record", QStringLiteral("leq"))};
    if (interval.Count() > 0) {
        fields.push_back(Level("leq_db", *interval.Leq()));
        fields.push_back(Level("lmax_db", *interval.Lmax()));
        fields.push_back(Level("lmin_db", *interval.Lmin()));
    }
    fields.push_back(Count("readings", interval.Count()));
    return Line(format, fields);
}

QByteArray EventRecord(WatchFormat format, double time, WatchEvent event, const QString& note)
{
    return Line(format, {Text("time", RecordTimeText(time)),
                         Text("record", event == WatchEvent::Lost ? QStringLiteral("lost") : QStringLiteral("resumed")),
                         Text("note", note)});
}

QString RecordTimeText(double days)
{
    const QDateTime time = DateTimeFromDays(days);
    return QLocale::c().toString(time.date(), QStringLiteral("yyyy-MM-dd")) + u' '
        + QLocale::c().toString(time.time(), QStringLiteral("HH:mm:ss.zzz"));
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
    return QStringLiteral("20%1-%2-%3 %4:%5:%6")
        .arg(fields[0], 2, 10, QChar(u'0'))
        .arg(fields[1], 2, 10, QChar(u'0'))
        .arg(fields[2], 2, 10, QChar(u'0'))
        .arg(fields[3], 2, 10, QChar(u'0'))
        .arg(fields[4], 2, 10, QChar(u'0'))
        .arg(fields[5], 2, 10, QChar(u'0'));
}

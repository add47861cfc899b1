#include "logger/DataSetCsv.h"

#include "logger/DataSetFlags.h"
#include "shell/Formats.h"
#include "shell/IsoDateTimeTexts.h"
#include "shell/OneDecimalTexts.h"

#include <QIODevice>

namespace {

// Written in pieces of about this size, so a full memory's samples need no large buffer.
constexpr qsizetype ChunkSize = 64 * 1024;

QByteArray IsoText(double days) { return IsoDateTimeText(days).toLatin1(); }

QByteArray LevelText(double level) { return QByteArray::number(level, 'f', 1); }

QByteArray FlagColumns(std::uint8_t flags)
{
    return WeightingText(flags).toLatin1() + ',' + ResponseText(flags).toLatin1() + ','
        + RangeText(flags).toLatin1();
}

class CsvWriter {
public:
    // One block, kept for the whole file: freeing and growing it for every piece gave the
    // memory back to the system and took it again each time.
    explicit CsvWriter(QIODevice& out) : out(out) { pending.reserve(ChunkSize + 1024); }
    void Line(const QByteArray& line)
    {
        pending += line;
        EndLine();
    }
    // The line being made, for a writer that appends its fields in place.
    QByteArray& Pending() { return pending; }
    void EndLine()
    {
        pending += '\n';
        if (pending.size() >= ChunkSize)
            Flush();
    }
    bool Finish()
    {
        Flush();
        return ok;
    }

private:
    void Flush()
    {
        if (ok && !pending.isEmpty())
            ok = out.write(pending) == pending.size();
        pending.resize(0);
    }
    QIODevice& out;
    QByteArray pending;
    bool ok = true;
};

// Whether the table holds a set's samples; of a damaged table, what it holds is written.
bool Holds(const DataSetTable& table, std::int64_t first, std::int64_t count)
{
    return first + count <= static_cast<std::int64_t>(table.levels.size())
        && first + count <= static_cast<std::int64_t>(table.times.size());
}

}  // namespace

bool WriteSamplesCsv(QIODevice& out, const DataSetTable& table)
{
    CsvWriter csv(out);
    csv.Line("set,time,level_db,interval_s,weighting,response,range");
    // A full memory is tens of thousands of lines: each is appended in place, its date
    // split only when it changes, its time and level made by arithmetic.
    IsoDateTimeTexts times;
    const OneDecimalTexts levels;
    std::int64_t first = 0;
    for (std::size_t i = 0; i < table.sets.size(); ++i) {
        const DataSet& set = table.sets[i];
        if (!Holds(table, first, set.sampleCount))
            break;
        const QByteArray number = QByteArray::number(static_cast<qulonglong>(i + 1)) + ',';
        const QByteArray columns =
            ',' + QByteArray::number(set.interval) + ',' + FlagColumns(set.flags);
        for (std::int64_t k = first; k < first + set.sampleCount; ++k) {
            const auto at = static_cast<std::size_t>(k);
            QByteArray& line = csv.Pending();
            line += number;
            times.Append(line, table.times[at]);
            line += ',';
            levels.Append(line, table.levels[at]);
            line += columns;
            csv.EndLine();
        }
        first += set.sampleCount;
    }
    return csv.Finish();
}

bool WriteSetTableCsv(QIODevice& out, const DataSetTable& table)
{
    CsvWriter csv(out);
    csv.Line("set,start,interval_s,samples,weighting,response,range,max_db,max_time,min_db,"
             "min_time,mean_db");
    std::int64_t first = 0;
    for (std::size_t i = 0; i < table.sets.size(); ++i) {
        const DataSet& set = table.sets[i];
        QByteArray line = QByteArray::number(static_cast<qulonglong>(i + 1)) + ','
            + IsoText(set.startTime) + ',' + QByteArray::number(set.interval) + ','
            + QByteArray::number(set.sampleCount) + ',' + FlagColumns(set.flags) + ',';
        const bool hasExtremes = set.sampleCount > 0 && Holds(table, first, set.sampleCount)
            && set.maxIndex >= 0 && set.maxIndex < set.sampleCount && set.minIndex >= 0
            && set.minIndex < set.sampleCount;
        if (hasExtremes) {
            const auto max = static_cast<std::size_t>(first + set.maxIndex);
            const auto min = static_cast<std::size_t>(first + set.minIndex);
            line += LevelText(table.levels[max]) + ',' + IsoText(table.times[max]) + ','
                + LevelText(table.levels[min]) + ',' + IsoText(table.times[min]) + ',';
        } else {
            line += ",,,,";
        }
        line += LevelText(set.average);
        csv.Line(line);
        first += set.sampleCount;
    }
    return csv.Finish();
}

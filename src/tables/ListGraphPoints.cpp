#include "tables/ListGraphPoints.h"

#include "files/WatchLogFields.h"
#include "shell/DateTimeReader.h"
#include "shell/Formats.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

struct Columns {
    int isoTime = -1;  // a column of ISO date-times, or -1 for the date and time columns 1 and 2
    int level = 3;
    int record = -1;  // a watch log's kind of record: only its readings are levels
};

Columns ColumnsOf(const QStringList& headings)
{
    Columns columns;
    // A log of qx574 watch names its columns.
    columns.isoTime = static_cast<int>(headings.indexOf(QLatin1String(NameOf(RecordField::Time))));
    if (const qsizetype level = headings.indexOf(QLatin1String(NameOf(RecordField::LevelDb))); level > 0)
        columns.level = static_cast<int>(level);
    else if (headings.value(4) == QStringLiteral("LEQ"))
        columns.level = 4;
    columns.record = static_cast<int>(headings.indexOf(QLatin1String(NameOf(RecordField::Record))));
    if (columns.isoTime == 0)  // column 0 holds the row number
        columns.isoTime = -1;
    return columns;
}

// A level as the chart holds it; a number beyond a float's range is no level.
std::optional<float> ReadLevel(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double level = ReadNumber(text, &ok, locale);
    if (!ok || std::fabs(level) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(level);
}

}  // namespace

ListGraphPoints ReadListGraphPoints(const std::vector<QStringList>& rows, const QLocale& locale)
{
    ListGraphPoints points;
    if (rows.empty())
        return points;
    const Columns columns = ColumnsOf(rows[0]);
    DateTimeReader reader(locale);
    points.times.reserve(rows.size() - 1);
    points.levels.reserve(rows.size() - 1);
    const auto skip = [&](int row, const QString& reason) {
        if (points.skipped++ == 0) {
            points.firstSkippedRow = row;
            points.firstSkippedReason = reason;
        }
    };
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        const int rowNumber = static_cast<int>(r);
        if (columns.record > 0 && row.value(columns.record) != QLatin1String(ReadingRecordName))
            continue;
        std::optional<double> time;
        if (columns.isoTime > 0) {
            bool ok = false;
            const double days = ReadIsoDateTime(row.value(columns.isoTime), &ok);
            if (ok)
                time = days;
        } else {
            time = reader.Read(row.value(1), row.value(2));
        }
        if (!time) {
            skip(rowNumber, NotADateTimeMessage(columns.isoTime > 0 ? row.value(columns.isoTime)
                                                                    : row.value(1) + u' ' + row.value(2)));
            continue;
        }
        const std::optional<float> level = ReadLevel(row.value(columns.level), locale);
        if (!level) {
            skip(rowNumber, NotANumberMessage(row.value(columns.level)));
            continue;
        }
        points.times.push_back(*time);
        points.levels.push_back(*level);
    }
    return points;
}

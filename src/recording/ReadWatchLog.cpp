#include "recording/ReadWatchLog.h"

#include "files/WatchLogFields.h"
#include "leq/WallClockMs.h"
#include "shell/Formats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <utility>

namespace {

// The fields a log is read by, as the watch command names them.
const std::string_view TimeKey = NameOf(RecordField::Time);
const std::string_view RecordKey = NameOf(RecordField::Record);
const std::string_view LevelKey = NameOf(RecordField::LevelDb);
const std::string_view WeightingKey = NameOf(RecordField::Weighting);
const std::string_view ResponseKey = NameOf(RecordField::Response);
const std::string_view Reading = ReadingRecordName;

// The longest line taken; a watch log's lines are a few hundred bytes at most.
constexpr qsizetype MaxLine = 64 * 1024;
constexpr qsizetype BlockSize = 1024 * 1024;

// Lines of a file read a block at a time: a million lines are read far faster than line by
// line through the device. A line longer than MaxLine comes back marked and cut.
class LineBlocks {
public:
    explicit LineBlocks(QIODevice& device) : device(device), buffer(BlockSize + MaxLine, '\0') {}

    // The next line without its line break; false at the end or on a read error.
    bool Next(std::string_view& line, bool& tooLong)
    {
        tooLong = false;
        for (;;) {
            const char* start = buffer.constData() + pos;
            if (const auto* newline = static_cast<const char*>(std::memchr(start, '\n', static_cast<std::size_t>(end - pos)))) {
                line = Trimmed(start, newline - start);
                pos += (newline - start) + 1;
                tooLong = std::exchange(skipping, false);
                return true;
            }
            if (atEnd) {
                if (pos == end && !skipping)
                    return false;
                line = Trimmed(start, end - pos);
                pos = end;
                tooLong = std::exchange(skipping, false);
                return true;
            }
            std::memmove(buffer.data(), start, static_cast<std::size_t>(end - pos));
            end -= pos;
            pos = 0;
            if (end >= MaxLine) {  // no line break within MaxLine: keep only the line's end
                skipping = true;
                end = 0;
            }
            const qint64 read = device.read(buffer.data() + end, buffer.size() - end);
            if (read < 0)
                failed = true;
            if (read <= 0)
                atEnd = true;
            else
                end += read;
        }
    }
    bool Failed() const { return failed; }

private:
    static std::string_view Trimmed(const char* start, qsizetype length)
    {
        return {start, static_cast<std::size_t>(length > 0 && start[length - 1] == '\r' ? length - 1 : length)};
    }

    QIODevice& device;
    QByteArray buffer;
    qsizetype pos = 0;
    qsizetype end = 0;
    bool atEnd = false;
    bool skipping = false;
    bool failed = false;
};

// The first `most` fields of a CSV line, quotes removed (a doubled quote inside stays
// doubled: no field this reader takes holds one). Walked byte by byte: its fields are short.
void SplitCsv(std::string_view line, std::vector<std::string_view>& fields, std::size_t most)
{
    fields.clear();
    const std::size_t size = line.size();
    std::size_t i = 0;
    while (fields.size() < most) {
        std::size_t start = i;
        std::size_t end = i;
        if (i < size && line[i] == '"') {
            start = ++i;
            while (i < size && !(line[i] == '"' && (i + 1 == size || line[i + 1] != '"')))
                i += line[i] == '"' ? 2 : 1;
            end = std::min(i, size);
            while (i < size && line[i] != ',')
                ++i;
        } else {
            while (i < size && line[i] != ',')
                ++i;
            end = i;
        }
        fields.push_back(line.substr(start, end - start));
        if (i >= size)
            return;
        ++i;
    }
}

// A level as the samples hold it; a number beyond any float is no level either.
float Level(double value)
{
    return std::isfinite(value) && std::fabs(value) < 1.0e6 ? static_cast<float>(value)
                                                              : std::numeric_limits<float>::quiet_NaN();
}

float LevelOf(std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? Level(value)
                                                                      : std::numeric_limits<float>::quiet_NaN();
}

// What every reading says of one setting: the one word all of them carry, both, or none.
template <typename Kind>
struct Agreement {
    bool first = false;
    bool second = false;
    void Add(std::string_view word, std::string_view firstWord, std::string_view secondWord)
    {
        first = first || word == firstWord;
        second = second || word == secondWord;
    }
    Kind Result(Kind one, Kind other, Kind both, Kind neither) const
    {
        return first && second ? both : first ? one : second ? other : neither;
    }
};

class LogBuilder {
public:
    WatchLog log;
    Agreement<Weighting> weighting;
    Agreement<Response> response;

    void Reading(double time, float level, std::string_view weightingWord, std::string_view responseWord)
    {
        log.times.push_back(time);
        log.levels.push_back(level);
        using namespace std::string_view_literals;
        weighting.Add(weightingWord, "dBA"sv, "dBC"sv);
        response.Add(responseWord, "FAST"sv, "SLOW"sv);
    }
    void Reserve(std::size_t readings)
    {
        log.times.reserve(readings);
        log.levels.reserve(readings);
    }
    void Skip(qint64 line)
    {
        if (log.skippedLines++ == 0)
            log.firstSkippedLine = line;
    }
    WatchLog Finish()
    {
        log.weighting = weighting.Result(Weighting::A, Weighting::C, Weighting::Mixed, Weighting::Unknown);
        log.response = response.Result(Response::Fast, Response::Slow, Response::Mixed, Response::Unknown);
        log.intervalSeconds = MedianSpacing(log.times);
        return std::move(log);
    }

private:
    // In whole milliseconds, as the log writes its times; a step beyond a few weeks (a clock
    // set far off) counts as that much, which no median notices.
    static double MedianSpacing(const std::vector<double>& times)
    {
        constexpr std::int64_t Longest = std::numeric_limits<std::int32_t>::max();
        std::vector<std::int32_t> steps;
        steps.reserve(times.size());
        for (std::size_t i = 1; i < times.size(); ++i) {
            const std::int64_t step = WallClockMs(times[i]).value_or(0) - WallClockMs(times[i - 1]).value_or(0);
            steps.push_back(static_cast<std::int32_t>(std::clamp(step, -Longest, Longest)));
        }
        if (steps.empty())
            return 0.0;
        const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
        std::nth_element(steps.begin(), middle, steps.end());
        double median = static_cast<double>(*middle);
        if (steps.size() % 2 == 0)
            median = (median + static_cast<double>(*std::max_element(steps.begin(), middle))) / 2.0;
        return median > 0.0 ? std::round(median) / 1000.0 : 0.0;
    }
};

struct CsvColumns {
    int time = -1, record = -1, level = -1, weighting = -1, response = -1;
    int needed = 0;  // the fields a line must have
};

std::optional<CsvColumns> ReadHeader(std::string_view line)
{
    std::vector<std::string_view> names;
    SplitCsv(line, names, std::numeric_limits<std::size_t>::max());
    CsvColumns columns;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const std::string_view name = names[static_cast<std::size_t>(i)];
        int* column = name == TimeKey ? &columns.time : name == RecordKey ? &columns.record
            : name == LevelKey ? &columns.level : name == WeightingKey ? &columns.weighting
            : name == ResponseKey ? &columns.response : nullptr;
        if (column && *column < 0)
            *column = i;
    }
    if (columns.time < 0 || columns.record < 0 || columns.level < 0)
        return std::nullopt;
    columns.needed = std::max({columns.time, columns.record, columns.level, columns.weighting, columns.response}) + 1;
    return columns;
}

void ReadCsvLine(std::string_view line, qint64 number, const CsvColumns& columns, std::vector<std::string_view>& fields,
                 LogBuilder& builder)
{
    SplitCsv(line, fields, static_cast<std::size_t>(columns.needed));
    if (static_cast<int>(fields.size()) < columns.needed) {
        builder.Skip(number);
        return;
    }
    if (fields[static_cast<std::size_t>(columns.record)] != Reading)
        return;
    const std::string_view time = fields[static_cast<std::size_t>(columns.time)];
    bool ok = false;
    const double days = ReadIsoDateTime(QLatin1StringView(time.data(), static_cast<qsizetype>(time.size())), &ok);
    if (!ok) {
        builder.Skip(number);
        return;
    }
    const auto field = [&](int column) {
        return column < 0 ? std::string_view() : fields[static_cast<std::size_t>(column)];
    };
    builder.Reading(days, LevelOf(field(columns.level)), field(columns.weighting), field(columns.response));
}

// The fields of a reading in a JSON line.
struct JsonReading {
    bool hasRecord = false;
    bool recordIsText = false;
    std::string_view record, time, level, weighting, response;
    bool levelIsNumber = false;
};

// Reads a flat JSON object of texts without escapes, numbers, true, false and null: what the
// watch command writes, read far faster than by the full parser. False for anything else,
// which ReadJsonLine then hands to the full parser.
bool ScanFlatJson(std::string_view line, JsonReading& out)
{
    std::size_t i = 0;
    const auto skip = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
    };
    const auto text = [&](std::string_view& value) {
        const std::size_t start = ++i;
        while (i < line.size() && line[i] != '"' && line[i] != '\\' && static_cast<unsigned char>(line[i]) >= 0x20)
            ++i;
        if (i >= line.size() || line[i] != '"')
            return false;
        value = line.substr(start, i++ - start);
        return true;
    };
    skip();
    if (i >= line.size() || line[i] != '{')
        return false;
    ++i;
    skip();
    bool first = true;
    while (i < line.size() && line[i] != '}') {
        if (!first) {
            if (line[i] != ',')
                return false;
            ++i;
            skip();
        }
        first = false;
        std::string_view key;
        if (i >= line.size() || line[i] != '"' || !text(key))
            return false;
        skip();
        if (i >= line.size() || line[i] != ':')
            return false;
        ++i;
        skip();
        std::string_view value;
        bool isText = false;
        bool isNumber = false;
        if (i < line.size() && line[i] == '"') {
            if (!text(value))
                return false;
            isText = true;
        } else {
            const std::size_t start = i;
            while (i < line.size() && std::strchr("0123456789+-.eEtrufalsn", line[i]) && line[i] != '\0')
                ++i;
            value = line.substr(start, i - start);
            double number = 0.0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            isNumber = !value.empty() && error == std::errc() && end == value.data() + value.size();
            if (!isNumber && value != "true" && value != "false" && value != "null")
                return false;
        }
        skip();
        if (key == RecordKey) {
            out.hasRecord = true;
            out.recordIsText = isText;
            out.record = value;
        } else if (key == TimeKey) {
            out.time = isText ? value : std::string_view();
        } else if (key == LevelKey) {
            out.level = value;
            out.levelIsNumber = isNumber;
        } else if (key == WeightingKey) {
            out.weighting = isText ? value : std::string_view();
        } else if (key == ResponseKey) {
            out.response = isText ? value : std::string_view();
        }
    }
    if (i >= line.size())
        return false;
    ++i;
    skip();
    return i == line.size();
}

// The same fields through the full JSON parser, for a line the scan above does not take.
std::optional<JsonReading> ParseJsonLine(std::string_view line, std::vector<QByteArray>& texts)
{
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromRawData(line.data(), static_cast<qsizetype>(line.size())));
    const QJsonObject object = document.object();
    if (!document.isObject())
        return std::nullopt;
    JsonReading reading;
    texts.clear();
    const auto keep = [&texts](const QJsonValue& value) {
        texts.push_back(value.toString().toUtf8());
        return std::string_view(texts.back().constData(), static_cast<std::size_t>(texts.back().size()));
    };
    texts.reserve(5);
    const QJsonValue record = object.value(QLatin1String(RecordKey));
    reading.hasRecord = !record.isUndefined();
    reading.recordIsText = record.isString();
    reading.record = keep(record);
    reading.time = keep(object.value(QLatin1String(TimeKey)));
    const QJsonValue level = object.value(QLatin1String(LevelKey));
    reading.levelIsNumber = level.isDouble();
    texts.push_back(QByteArray::number(level.toDouble(), 'g', 17));
    reading.level = std::string_view(texts.back().constData(), static_cast<std::size_t>(texts.back().size()));
    reading.weighting = keep(object.value(QLatin1String(WeightingKey)));
    reading.response = keep(object.value(QLatin1String(ResponseKey)));
    return reading;
}

void ReadJsonLine(std::string_view line, qint64 number, LogBuilder& builder)
{
    std::vector<QByteArray> texts;  // what the full parser's fields are viewed in
    JsonReading scanned;
    std::optional<JsonReading> reading;
    if (ScanFlatJson(line, scanned))
        reading = scanned;
    else
        reading = ParseJsonLine(line, texts);
    if (!reading || !reading->hasRecord) {
        builder.Skip(number);
        return;
    }
    if (!reading->recordIsText || reading->record != Reading)
        return;
    bool ok = false;
    const double days =
        ReadIsoDateTime(QLatin1StringView(reading->time.data(), static_cast<qsizetype>(reading->time.size())), &ok);
    if (!ok) {
        builder.Skip(number);
        return;
    }
    builder.Reading(days, reading->levelIsNumber ? LevelOf(reading->level) : std::numeric_limits<float>::quiet_NaN(),
                    reading->weighting, reading->response);
}

}  // namespace

std::optional<WatchLog> ReadWatchLog(QIODevice& file, const QString& path, QString* error)
{
    const QString shown = QDir::toNativeSeparators(path);
    LineBlocks lines(file);
    LogBuilder builder;
    // A reading takes some 60 bytes or more: room for all of them at once, for a file of a
    // known size.
    if (const qint64 size = file.size(); size > 0 && !file.isSequential())
        builder.Reserve(static_cast<std::size_t>(std::min<qint64>(size / 60, 100'000'000)));
    std::vector<std::string_view> fields;
    std::optional<CsvColumns> csv;
    bool json = false;
    std::string_view line;
    bool tooLong = false;
    qint64 number = 0;
    while (lines.Next(line, tooLong)) {
        ++number;
        if (line.empty() && !tooLong)
            continue;
        if (!csv && !json) {
            // The first line tells the format: a JSON object or the CSV header.
            json = !tooLong && line.front() == '{'
                && QJsonDocument::fromJson(QByteArray::fromRawData(line.data(), static_cast<qsizetype>(line.size())))
                       .object()
                       .contains(QLatin1String(RecordKey));
            if (!json && !tooLong)
                csv = ReadHeader(line);
            if (!csv && !json) {
                *error = QStringLiteral("The file %1 is not a log of qx574 watch (its first line is neither the CSV "
                                        "header with time, record and level_db nor a JSON object).").arg(shown);
                return std::nullopt;
            }
            if (csv)
                continue;
        }
        if (tooLong)
            builder.Skip(number);
        else if (json)
            ReadJsonLine(line, number, builder);
        else
            ReadCsvLine(line, number, *csv, fields, builder);
    }
    if (lines.Failed()) {
        *error = QStringLiteral("Cannot read the file %1: %2").arg(shown, file.errorString());
        return std::nullopt;
    }
    return builder.Finish();
}

std::optional<WatchLog> ReadWatchLog(const QString& path, QString* error)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open the file %1%2.")
                     .arg(QDir::toNativeSeparators(path), QFileInfo(path).isDir() ? QStringLiteral(": it is a folder") : QString());
        return std::nullopt;
    }
    return ReadWatchLog(file, path, error);
}

#include "cli/ReportSource.h"

#include "cli/Console.h"
#include "cli/DecodedForOutput.h"
#include "cli/ExitStatus.h"
#include "cli/ReadWatchLog.h"
#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "graph/GraphStatistics.h"
#include "leq/CalibrationOffset.h"
#include "leq/SampleInterval.h"
#include "logger/DataSetFlags.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum class Kind { Collection, Graph, Survey, WatchLog };

// Standard input ("-") is read as a collection, as the other commands read it.
Kind KindOf(const QString& path)
{
    if (path == QLatin1String("-"))
        return Kind::Collection;
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("rec") ? Kind::Collection
        : suffix == QLatin1String("ghf") ? Kind::Graph
        : suffix == QLatin1String("qxs") ? Kind::Survey
        : Kind::WatchLog;
}

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

std::nullopt_t Fail(Console& console, const QString& message, int status, int* out)
{
    console.Line(message);
    *out = status;
    return std::nullopt;
}

std::optional<ReportSource> ReadCollection(const QString& path, Console& console, int* status)
{
    std::optional<DataSetTable> table = ReadCollectionForOutput(path, console, status);
    if (!table)
        return std::nullopt;
    return CollectionSource(std::move(*table));
}

// A series of its own (a graph's or a log's) as set 1.
ReportSource OneSeries(std::vector<double> times, std::vector<float> levels, double interval, Weighting weighting,
                       Response response)
{
    ReportSource source;
    ReportSet set;
    set.count = std::min(times.size(), levels.size());
    set.start = times.empty() ? 0.0 : times.front();
    set.intervalSeconds = interval;
    set.weighting = weighting;
    set.response = response;
    source.sets.push_back(set);
    source.samples.times = std::move(times);
    source.samples.levels = std::move(levels);
    return source;
}

std::optional<ReportSource> ReadGraph(const QString& path, Console& console, int* status)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    if (!block)
        return Fail(console, error, ExitStatus::File, status);
    QString reason;
    const std::optional<ChartState> chart = LoadChartState(*block, &reason);
    if (!chart)
        return Fail(console, DamagedGraphFileText(path, reason), ExitStatus::File, status);
    // The graph's levels are its first subset, up to the first point without a time.
    const int points = chart->Points > 0 && chart->XDataII.size() >= static_cast<std::size_t>(chart->Points)
                               && chart->YData.size() >= static_cast<std::size_t>(chart->Points)
                           ? FilledPoints(chart->XDataII.data(), chart->Points)
                           : 0;
    if (points == 0)
        return Fail(console, QStringLiteral("The graph %1 holds no samples.").arg(Shown(path)), ExitStatus::NoData, status);
    std::vector<double> times(chart->XDataII.begin(), chart->XDataII.begin() + points);
    std::vector<float> levels(chart->YData.begin(), chart->YData.begin() + points);
    // A graph knows no interval of its own, nor how its levels were weighted.
    const double interval = IntervalOfTimes(times);
    return OneSeries(std::move(times), std::move(levels), interval, Weighting::Unknown, Response::Unknown);
}

std::optional<ReportSource> ReadLog(const QString& path, Console& console, int* status)
{
    QString error;
    std::optional<WatchLog> log = ReadWatchLog(path, &error);
    if (!log)
        return Fail(console, error, ExitStatus::File, status);
    if (log->skippedLines > 0)
        console.Line(QStringLiteral("Warning: %1: %2 line(s) could not be read and were left out, the first at line %3.")
                         .arg(Shown(path))
                         .arg(log->skippedLines)
                         .arg(log->firstSkippedLine));
    if (log->times.empty())
        return Fail(console, QStringLiteral("The file %1 holds no readings.").arg(Shown(path)), ExitStatus::NoData, status);
    return OneSeries(std::move(log->times), std::move(log->levels), log->intervalSeconds, log->weighting, log->response);
}

std::optional<ReportSource> ReadSurvey(const QString& path, Console& console, int* status)
{
    QString error;
    std::optional<Survey> survey = ReadSurveyFile(path, &error);
    if (!survey)
        return Fail(console, error, ExitStatus::File, status);
    const QString sourcePath = SurveySourcePath(path, survey->source);
    if (!QFileInfo(sourcePath).isFile())
        return Fail(console,
                    QStringLiteral("The recording %1 that the survey %2 names is missing: it was moved or deleted.")
                        .arg(Shown(sourcePath), Shown(path)),
                    ExitStatus::File, status);
    if (!survey->source.sha256.isEmpty()) {
        const std::optional<QString> sha256 = FileSha256(sourcePath, &error);
        if (!sha256)
            return Fail(console, error, ExitStatus::File, status);
        if (*sha256 != survey->source.sha256)
            console.Line(QStringLiteral("Warning: the recording %1 has changed since the survey %2 was saved "
                                        "(its SHA-256 differs); the figures are of the recording as it is now.")
                             .arg(Shown(sourcePath), Shown(path)));
    }
    std::optional<ReportSource> source;
    switch (KindOf(sourcePath)) {
    case Kind::Collection: source = ReadCollection(sourcePath, console, status); break;
    case Kind::Graph: source = ReadGraph(sourcePath, console, status); break;
    case Kind::WatchLog: source = ReadLog(sourcePath, console, status); break;
    case Kind::Survey:
        return Fail(console, QStringLiteral("The survey %1 names another survey as its recording.").arg(Shown(path)),
                    ExitStatus::File, status);
    }
    if (!source)
        return std::nullopt;
    const int set = survey->source.set;
    if (set > static_cast<int>(source->sets.size()))
        return Fail(console,
                    QStringLiteral("The survey %1 names set %2, but %3 holds %4.")
                        .arg(Shown(path))
                        .arg(set)
                        .arg(Shown(sourcePath))
                        .arg(source->sets.size() == 1 ? QStringLiteral("one set") : QStringLiteral("%1 sets").arg(source->sets.size())),
                    ExitStatus::File, status);
    const ReportSet chosen = source->sets[static_cast<std::size_t>(set - 1)];
    source->sets = {chosen};
    ApplyCalibrationOffset(std::span(source->samples.levels).subspan(chosen.first, chosen.count),
                           survey->details.offsetDb);
    source->collection = false;  // one set of it, with the survey's exclusions
    source->survey = std::move(survey);
    source->recordingPath = sourcePath;
    return source;
}

}  // namespace

ReportSource CollectionSource(DataSetTable table)
{
    ReportSource source;
    source.collection = true;
    for (std::size_t i = 0; i < table.sets.size(); ++i) {
        const DataSet& set = table.sets[i];
        ReportSet reported;
        reported.number = static_cast<int>(i) + 1;
        reported.first = static_cast<std::size_t>(table.FirstSample(static_cast<int>(i)));
        reported.count = static_cast<std::size_t>(set.sampleCount);
        reported.start = set.startTime;
        reported.intervalSeconds = set.interval;
        reported.weighting = WeightingText(set.flags) == QLatin1String("dBA") ? Weighting::A : Weighting::C;
        reported.response = ResponseText(set.flags) == QLatin1String("FAST") ? Response::Fast : Response::Slow;
        reported.range = RangeText(set.flags);
        source.sets.push_back(reported);
    }
    source.samples = std::move(table);
    return source;
}

std::optional<ReportSource> ReadReportSource(const QString& path, Console& console, int* status)
{
    switch (KindOf(path)) {
    case Kind::Collection: return ReadCollection(path, console, status);
    case Kind::Graph: return ReadGraph(path, console, status);
    case Kind::Survey: return ReadSurvey(path, console, status);
    case Kind::WatchLog: break;
    }
    return ReadLog(path, console, status);
}

SurveyRecording RecordingOf(const ReportSource& source)
{
    SurveyRecording recording;
    if (source.sets.empty())
        return recording;
    const ReportSet& set = source.sets.front();
    recording.times = source.Times(set);
    recording.levels = source.Levels(set);
    recording.intervalSeconds = set.intervalSeconds;
    recording.weighting = set.weighting;
    recording.response = set.response;
    recording.range = set.range;
    return recording;
}

#include "recording/ReadRecordings.h"

#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "recording/ChartRecording.h"
#include "recording/DecodedCollection.h"
#include "recording/FileKind.h"
#include "recording/ReadWatchLog.h"
#include "recording/RecordingsOfTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

RecordingsRead Problem(RecordingProblem::Kind kind, const QString& message)
{
    RecordingsRead read;
    read.problem = RecordingProblem{kind, message};
    return read;
}

QString AbsolutePath(const QString& path) { return path == QLatin1String("-") ? QString() : QFileInfo(path).absoluteFilePath(); }

RecordingsRead ReadCollectionRecordings(const QString& path, InputKinds kinds)
{
    DecodedCollection decoded = ReadCollectionTable(path, kinds);
    if (decoded.problem)
        return Problem(decoded.problem->kind, decoded.problem->message);
    RecordingsRead read;
    read.collection = true;
    read.warnings = std::move(decoded.warnings);
    read.sets = RecordingsOf(*decoded.table, AbsolutePath(path));
    return read;
}

RecordingsRead ReadGraphRecording(const QString& path)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    if (!block)
        return Problem(RecordingProblem::Kind::Unreadable, error);
    QString reason;
    const std::optional<ChartState> chart = LoadChartState(*block, &reason);
    if (!chart)
        return Problem(RecordingProblem::Kind::Unreadable, DamagedGraphFileText(path, reason));
    Recording recording = RecordingOfChart(*chart, AbsolutePath(path));
    if (recording.Count() == 0)
        return Problem(RecordingProblem::Kind::NoData,
                       QStringLiteral("The graph %1 holds no samples.").arg(QDir::toNativeSeparators(path)));
    RecordingsRead read;
    read.sets.push_back(std::move(recording));
    return read;
}

RecordingsRead ReadLogRecording(const QString& path)
{
    QString error;
    std::optional<WatchLog> log = ReadWatchLog(path, &error);
    if (!log)
        return Problem(RecordingProblem::Kind::Unreadable, error);
    const QString shown = QDir::toNativeSeparators(path);
    if (log->times.empty())
        return Problem(RecordingProblem::Kind::NoData, QStringLiteral("The file %1 holds no readings.").arg(shown));
    RecordingsRead read;
    if (log->skippedLines > 0)
        read.warnings << QStringLiteral("%1: %2 line(s) could not be read and were left out, the first at line %3.")
                             .arg(shown)
                             .arg(log->skippedLines)
                             .arg(log->firstSkippedLine);
    Recording recording;
    recording.sourceFile = AbsolutePath(path);
    recording.start = log->times.front();
    recording.intervalSeconds = log->intervalSeconds;
    recording.weighting = log->weighting;
    recording.response = log->response;
    recording.times = std::move(log->times);
    recording.levels = std::move(log->levels);
    read.sets.push_back(std::move(recording));
    return read;
}

}  // namespace

RecordingsRead ReadRecordings(const QString& path, InputKinds kinds)
{
    if (path == QLatin1String("-"))
        return ReadCollectionRecordings(path, kinds);
    switch (KindOfFileName(path)) {
    case FileKind::Collection: return ReadCollectionRecordings(path, kinds);
    case FileKind::Graph: return ReadGraphRecording(path);
    case FileKind::Survey:
        return Problem(RecordingProblem::Kind::Unreadable,
                       QStringLiteral("%1 is a survey, not a recording.").arg(QDir::toNativeSeparators(path)));
    case FileKind::TabText:
    case FileKind::CommaText:
    case FileKind::Other: break;
    }
    return ReadLogRecording(path);
}

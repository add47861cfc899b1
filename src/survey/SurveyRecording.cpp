#include "survey/SurveyRecording.h"

#include "recording/FileKind.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

SurveyRecordingRead Problem(const QString& message)
{
    SurveyRecordingRead read;
    read.problem = RecordingProblem{RecordingProblem::Kind::Unreadable, message};
    return read;
}

QString SetsText(std::size_t sets)
{
    return sets == 1 ? QStringLiteral("one set") : QStringLiteral("%1 sets").arg(sets);
}

}  // namespace

SurveySourceCheck CheckSurveySource(const QString& surveyPath, const Survey& survey)
{
    SurveySourceCheck check;
    check.path = SurveySourcePath(surveyPath, survey.source);
    if (!QFileInfo(check.path).isFile()) {
        check.state = SurveySourceCheck::State::Missing;
        check.message = QStringLiteral("The recording %1 that the survey %2 names is missing: it was moved or deleted.")
                            .arg(Shown(check.path), Shown(surveyPath));
        return check;
    }
    if (survey.source.sha256.isEmpty())
        return check;
    QString error;
    const std::optional<QString> sha256 = FileSha256(check.path, &error);
    if (!sha256) {
        check.state = SurveySourceCheck::State::Unreadable;
        check.message = error;
    } else if (*sha256 != survey.source.sha256) {
        check.state = SurveySourceCheck::State::Changed;
        check.message = QStringLiteral("The recording %1 has changed since the survey %2 was saved (its SHA-256 differs)")
                            .arg(Shown(check.path), Shown(surveyPath));
    }
    return check;
}

SurveyRecordingRead ReadSurveyRecording(const QString& surveyPath, const Survey& survey, const QString& recordingPath,
                                        InputKinds kinds)
{
    if (KindOfFileName(recordingPath) == FileKind::Survey)
        return Problem(QStringLiteral("The survey %1 names another survey as its recording.").arg(Shown(surveyPath)));
    RecordingsRead read = ReadRecordings(recordingPath, kinds);
    SurveyRecordingRead result;
    result.warnings = read.warnings;
    if (read.problem) {
        result.problem = read.problem;
        return result;
    }
    const int set = survey.source.set;
    if (set < 1 || set > static_cast<int>(read.sets.size()))
        return Problem(QStringLiteral("The survey %1 names set %2, but %3 holds %4.")
                           .arg(Shown(surveyPath))
                           .arg(set)
                           .arg(Shown(recordingPath), SetsText(read.sets.size())));
    result.recording = std::move(read.sets[static_cast<std::size_t>(set - 1)]);
    // A set is named by its number only where its file holds several.
    if (!read.collection && read.sets.size() == 1)
        result.recording->name.clear();
    return result;
}

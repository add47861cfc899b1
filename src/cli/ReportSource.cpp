#include "cli/ReportSource.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/RecordingProblems.h"
#include "recording/FileKind.h"
#include "recording/ReadRecordings.h"
#include "survey/SurveyRecording.h"

namespace {

std::optional<ReportSource> ReadSurvey(const QString& path, Console& console, int* status)
{
    QString error;
    std::optional<Survey> survey = ReadSurveyFile(path, &error);
    if (!survey) {
        console.Line(error);
        *status = ExitStatus::File;
        return std::nullopt;
    }
    const SurveySourceCheck check = CheckSurveySource(path, *survey);
    switch (check.state) {
    case SurveySourceCheck::State::Found: break;
    case SurveySourceCheck::State::Changed:
        console.Line(QStringLiteral("Warning: %1; the figures are of the recording as it is now.").arg(check.message));
        break;
    case SurveySourceCheck::State::Missing:
    case SurveySourceCheck::State::Unreadable:
        console.Line(check.message);
        *status = ExitStatus::File;
        return std::nullopt;
    }
    SurveyRecordingRead read = ReadSurveyRecording(path, *survey, check.path, InputKinds::AlsoStreams);
    SayWarnings(read.warnings, console);
    if (read.problem) {
        *status = SayProblem(*read.problem, console);
        return std::nullopt;
    }
    ReportSource source;
    source.sets.push_back(std::move(*read.recording));
    source.survey = std::move(survey);
    source.recordingPath = check.path;
    return source;
}

}  // namespace

std::optional<ReportSource> ReadReportSource(const QString& path, Console& console, int* status)
{
    if (path != QLatin1String("-") && KindOfFileName(path) == FileKind::Survey)
        return ReadSurvey(path, console, status);
    RecordingsRead read = ReadRecordings(path, InputKinds::AlsoStreams);
    SayWarnings(read.warnings, console);
    if (read.problem) {
        *status = SayProblem(*read.problem, console);
        return std::nullopt;
    }
    ReportSource source;
    source.sets = std::move(read.sets);
    source.collection = read.collection;
    return source;
}

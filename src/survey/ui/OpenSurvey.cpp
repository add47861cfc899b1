#include "survey/ui/OpenSurvey.h"

#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/ui/Prompts.h"
#include "survey/SurveyRecording.h"

#include <QFileInfo>

namespace {

QString LocateRecording(const QString& missing)
{
    return CurrentPrompts().OpenFileName(QStringLiteral("Locate the recording"), QFileInfo(missing).absolutePath(),
                                         QStringLiteral("Recordings (*.REC *.rec *.GHF *.ghf *.csv *.jsonl *.json "
                                                        "*.log);;All files (*)"),
                                         nullptr);
}

// The recording to open: the one the survey names, or one the user locates when it moved or
// changed. Empty when the user gives up.
QString ChooseRecording(const QString& surveyPath, const Survey& survey)
{
    const SurveySourceCheck check = CheckSurveySource(surveyPath, survey);
    switch (check.state) {
    case SurveySourceCheck::State::Found: return check.path;
    case SurveySourceCheck::State::Unreadable: CurrentPrompts().ShowError(check.message); return {};
    case SurveySourceCheck::State::Missing:
        if (CurrentPrompts().AskYesNo(check.message.chopped(1) + QStringLiteral(". Locate it?")) != Prompts::Answer::Yes)
            return {};
        return LocateRecording(check.path);
    case SurveySourceCheck::State::Changed: break;
    }
    const QString question = check.message + QStringLiteral(". Locate the recording the survey was made from? No opens "
                                                            "it as it is now.");
    switch (CurrentPrompts().AskYesNoCancel(question)) {
    case Prompts::Answer::Yes: return LocateRecording(check.path);
    case Prompts::Answer::No: return check.path;
    case Prompts::Answer::Cancel: break;
    }
    return {};
}

}  // namespace

TfrmGraph* OpenSurveyWindow(const QString& path, const GraphServices& services)
{
    QString error;
    std::optional<Survey> survey = ReadSurveyFile(path, &error);
    if (!survey) {
        CurrentPrompts().ShowError(error);
        return nullptr;
    }
    const QString chosen = ChooseRecording(path, *survey);
    if (chosen.isEmpty())
        return nullptr;
    // The same reading as qx574 report's, so that the window shows the figures a script gets.
    SurveyRecordingRead read = ReadSurveyRecording(path, *survey, chosen, InputKinds::RegularFiles);
    if (read.problem) {
        CurrentPrompts().ShowError(read.problem->message);
        return nullptr;
    }
    if (!read.warnings.isEmpty())
        CurrentPrompts().ShowMessage(read.warnings.join(u'\n'));
    Recording& recording = *read.recording;
    const int count = static_cast<int>(recording.Count());

    auto* window = new TfrmGraph(services);
    window->setWindowTitle(QFileInfo(path).absoluteFilePath());
    PESGraph& chart = *window->PESGraph1;
    PrepareChart(chart, 1, 130.0f, 30.0f, count > 0 ? recording.times.back() : 0.0,
                 count > 0 ? recording.times.front() : 0.0, count);
    window->ShowRecording(std::move(recording));
    window->RefreshStatistics();
    chart.ReinitAndReset();
    const QString surveyPath = QFileInfo(path).absoluteFilePath();
    // A recording located elsewhere is the survey's only once it is saved: closing asks.
    const bool located = QFileInfo(chosen) != QFileInfo(SurveySourcePath(path, survey->source));
    window->OpenSurvey(std::move(*survey), surveyPath, located);
    return window;
}

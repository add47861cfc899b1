#include "survey/ui/OpenSurvey.h"

#include "cli/Console.h"
#include "cli/ReportSource.h"
#include "files/SaveFilters.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/ui/Prompts.h"

#include <QDir>
#include <QFileInfo>

#include <span>

namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

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
    QString recording = SurveySourcePath(surveyPath, survey.source);
    if (!QFileInfo(recording).isFile()) {
        const QString question = QStringLiteral("The recording %1 that the survey %2 names is missing: it was moved "
                                                "or deleted. Locate it?")
                                     .arg(Shown(recording), Shown(surveyPath));
        if (CurrentPrompts().AskYesNo(question) != Prompts::Answer::Yes)
            return {};
        return LocateRecording(recording);
    }
    if (survey.source.sha256.isEmpty())
        return recording;
    QString error;
    const std::optional<QString> sha256 = FileSha256(recording, &error);
    if (!sha256) {
        CurrentPrompts().ShowError(error);
        return {};
    }
    if (*sha256 == survey.source.sha256)
        return recording;
    const QString question =
        QStringLiteral("The recording %1 has changed since the survey %2 was saved (its SHA-256 differs). "
                       "Locate the recording the survey was made from? No opens it as it is now.")
            .arg(Shown(recording), Shown(surveyPath));
    switch (CurrentPrompts().AskYesNoCancel(question)) {
    case Prompts::Answer::Yes: return LocateRecording(recording);
    case Prompts::Answer::No: return recording;
    case Prompts::Answer::Cancel: break;
    }
    return {};
}

QString WeightingName(Weighting weighting)
{
    return weighting == Weighting::A ? QStringLiteral("dBA") : weighting == Weighting::C ? QStringLiteral("dBC") : QString();
}

QString ResponseName(Response response)
{
    return response == Response::Fast ? QStringLiteral("FAST") : response == Response::Slow ? QStringLiteral("SLOW") : QString();
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
    const QString recording = ChooseRecording(path, *survey);
    if (recording.isEmpty())
        return nullptr;
    if (KindOfGraphFileName(recording) == GraphFileKind::Survey) {
        CurrentPrompts().ShowError(
            QStringLiteral("The survey %1 names another survey as its recording.").arg(Shown(path)));
        return nullptr;
    }
    // The same reading as qx574 report's, so that the window shows the figures a script gets.
    QString messages;
    Console console(&messages, false);
    int status = 0;
    std::optional<ReportSource> source = ReadReportSource(recording, console, &status);
    if (!source) {
        CurrentPrompts().ShowError(messages.trimmed());
        return nullptr;
    }
    const int set = survey->source.set;
    if (set < 1 || set > static_cast<int>(source->sets.size())) {
        CurrentPrompts().ShowError(QStringLiteral("The survey %1 names set %2, but %3 holds %4.")
                                       .arg(Shown(path))
                                       .arg(set)
                                       .arg(Shown(recording))
                                       .arg(source->sets.size()));
        return nullptr;
    }
    const ReportSet& chosen = source->sets[static_cast<std::size_t>(set - 1)];
    const std::span<const double> times = source->Times(chosen);
    const std::span<const float> levels = source->Levels(chosen);
    const int count = static_cast<int>(times.size());

    auto* window = new TfrmGraph(services);
    window->setWindowTitle(QFileInfo(path).absoluteFilePath());
    PESGraph& chart = *window->PESGraph1;
    PrepareChart(chart, 1, 130.0f, 30.0f, count > 0 ? times.back() : 0.0, count > 0 ? times.front() : 0.0, count);
    chart.SetSubsetData(0, times.data(), levels.data(), count);
    window->Recording.name = source->collection || source->sets.size() > 1 ? QStringLiteral("Data set %1").arg(set)
                                                                            : QString();
    window->Recording.intervalSeconds = chosen.intervalSeconds;
    window->Recording.weighting = WeightingName(chosen.weighting);
    window->Recording.response = ResponseName(chosen.response);
    window->Recording.range = chosen.range;
    window->RecordingFile = QFileInfo(recording).absoluteFilePath();
    window->RecordingSet = set;
    window->RefreshStatistics();
    chart.ReinitAndReset();
    window->SetSurvey(std::move(*survey));
    window->MarkSurveySaved(QFileInfo(path).absoluteFilePath(), window->GraphSurvey().source);
    return window;
}

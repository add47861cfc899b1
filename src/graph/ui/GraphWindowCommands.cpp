#include "graph/ui/GraphWindowCommands.h"

#include "files/ChartStateBlock.h"
#include "files/GraphFile.h"
#include "files/SaveFilters.h"
#include "files/ui/AskSaveFileName.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "recording/ChartRecording.h"
#include "recording/FileKind.h"
#include "survey/SurveyFile.h"
#include "shell/ui/Prompts.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Where the window's data came from: its survey file, else the file its levels are in.
QString WindowFile(const TfrmGraph& window)
{
    return window.SurveyPath().isEmpty() ? window.ShownRecording().sourceFile : window.SurveyPath();
}

}  // namespace

bool SaveGraph(TfrmGraph& window)
{
    // A window opened from a survey, or saved as one, is offered as a survey first.
    const bool survey = !window.SurveyPath().isEmpty();
    const QString name =
        survey ? AskSaveFileName(QStringLiteral("Save As"), SurveyFileFilter() + u'|' + GraphFileFilter(),
                                 QStringLiteral("qxs"), window.SurveyPath())
               : AskSaveFileName(QStringLiteral("Save As"), GraphFileFilter() + u'|' + SurveyFileFilter(),
                                 QStringLiteral("GHF"), SuggestedFileName(WindowFile(window), QStringLiteral("ghf")));
    if (name.isEmpty())
        return false;
    switch (KindOfFileName(name)) {
    case FileKind::Graph: return WriteGraphFile(*window.PESGraph1, name);
    case FileKind::TabText: return ExportGraphText(*window.PESGraph1, name, u'\t');
    case FileKind::CommaText: return ExportGraphText(*window.PESGraph1, name, u',');
    case FileKind::Survey: return WriteGraphSurvey(window, name);
    case FileKind::Collection:
    case FileKind::Other: break;
    }
    // A graph is saved only as a graph file, text or a survey: the user is told that nothing was.
    CurrentPrompts().ShowError(QStringLiteral("Nothing was saved: %1 is not a graph (.ghf), text (.txt), CSV "
                                              "(.csv) or survey (.qxs) file name.")
                                   .arg(QDir::toNativeSeparators(name)));
    return false;
}

bool SaveGraphSurvey(TfrmGraph& window)
{
    const QString name = AskSaveFileName(QStringLiteral("Save Survey As"), SurveyFileFilter(), QStringLiteral("qxs"),
                                         SuggestedFileName(WindowFile(window), QStringLiteral("qxs")));
    if (name.isEmpty())
        return false;
    if (KindOfFileName(name) != FileKind::Survey) {
        CurrentPrompts().ShowError(
            QStringLiteral("Nothing was saved: %1 is not a survey (.qxs) file name.").arg(QDir::toNativeSeparators(name)));
        return false;
    }
    return WriteGraphSurvey(window, name);
}

bool WriteGraphSurvey(TfrmGraph& window, const QString& path)
{
    // The survey names the file and set that hold the levels: the graph file it was opened
    // from, the collection a data set is in. The real-time graph and a download not saved yet
    // are in no file: their levels are kept beside the survey first. A file written for such a
    // window names what it showed then, not what it shows later.
    const bool changingLevels = window.Role().WindowKind() != GraphRole::Kind::Graph;
    QString source = window.ShownRecording().sourceFile;
    int set = window.ShownRecording().set;
    if (source.isEmpty() || !QFileInfo(source).isFile()) {
        const QFileInfo survey(path);
        source = survey.dir().filePath(survey.completeBaseName() + QStringLiteral(".ghf"));
        set = 1;
        if (QFileInfo::exists(source)
            && CurrentPrompts().AskYesNo(QStringLiteral("The survey keeps this graph's levels in %1, which already "
                                                        "exists. Replace it?")
                                             .arg(QDir::toNativeSeparators(source)))
                   != Prompts::Answer::Yes)
            return false;
        if (!WriteGraphFile(*window.PESGraph1, source))
            return false;
        if (!changingLevels)
            window.SetRecordingSource(source, set);
    }
    QString error;
    const std::optional<QString> sha256 = FileSha256(source, &error);
    if (!sha256) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    Survey survey = window.GraphSurvey();
    survey.source = {RelativeSourcePath(path, source), set, *sha256};
    if (!WriteSurveyFile(path, survey, &error)) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    window.MarkSurveySaved(path, survey.source);
    return true;
}

TfrmGraph* OpenGraphWindow(const QString& path, const GraphServices& services)
{
    QString error;
    const std::optional<QByteArray> block = ReadGraphBlock(path, &error);
    if (!block) {
        CurrentPrompts().ShowError(error);
        return nullptr;
    }
    // Checked before a window exists, so that a damaged file makes none.
    const std::optional<ChartState> chart = LoadChartState(*block, &error);
    if (!chart) {
        CurrentPrompts().ShowError(DamagedGraphFileText(path, error));
        return nullptr;
    }
    auto* window = new TfrmGraph(services);
    window->setWindowTitle(QFileInfo(path).absoluteFilePath());
    window->PESGraph1->LoadState(*block);
    window->ShowRecording(RecordingOfChart(*chart, QFileInfo(path).absoluteFilePath()));
    window->RefreshStatistics();
    window->PESGraph1->ReinitAndReset();
    return window;
}

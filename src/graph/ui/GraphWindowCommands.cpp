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

bool SaveGraph(TfrmGraph& window)
{
    const QString name = AskSaveFileName(QStringLiteral("Save As"), GraphFileFilter() + u'|' + SurveyFileFilter(),
                                         QStringLiteral("GHF"));
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
    const QString name = AskSaveFileName(QStringLiteral("Save Survey As"), SurveyFileFilter(), QStringLiteral("qxs"));
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
    // The real-time graph and the DataLogger window change their levels under the same window:
    // a file written for them once names what they showed then, not what they show now.
    const bool changingLevels = window.Role().WindowKind() != GraphRole::Kind::Graph;
    QString source = changingLevels ? QString() : window.ShownRecording().sourceFile;
    if (source.isEmpty() || !QFileInfo(source).isFile()) {
        // The survey names its levels by file: they are kept beside it first.
        const QFileInfo survey(path);
        source = survey.dir().filePath(survey.completeBaseName() + QStringLiteral(".ghf"));
        if (QFileInfo::exists(source)
            && CurrentPrompts().AskYesNo(QStringLiteral("The survey keeps this graph's levels in %1, which already "
                                                        "exists. Replace it?")
                                             .arg(QDir::toNativeSeparators(source)))
                   != Prompts::Answer::Yes)
            return false;
        if (!WriteGraphFile(*window.PESGraph1, source))
            return false;
        if (!changingLevels)
            window.SetRecordingFile(source);
    }
    QString error;
    const std::optional<QString> sha256 = FileSha256(source, &error);
    if (!sha256) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    Survey survey = window.GraphSurvey();
    survey.source = {RelativeSourcePath(path, source), changingLevels ? 1 : window.ShownRecording().set, *sha256};
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

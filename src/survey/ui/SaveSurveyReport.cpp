#include "survey/ui/SaveSurveyReport.h"

#include "files/ui/AskSaveFileName.h"
#include "graph/ui/TfrmGraph.h"
#include "survey/ReportProvenance.h"
#include "report/ui/DrawSurveyReport.h"
#include "report/ui/WriteReportPdf.h"
#include "shell/ui/Prompts.h"

#include <QFileInfo>

#include <span>
#include <vector>

namespace {

std::optional<SurveyProvenance> GraphProvenance(const TfrmGraph& graph, QString* error)
{
    // The survey file's SHA-256 vouches for the report only while the window holds what it holds.
    const bool changed = graph.SurveyUnsaved();
    // The file the levels are in: the recording's own, else the one its saved survey names (the
    // levels of a window that holds them in no file are saved beside its survey).
    QString recordingFile = graph.ShownRecording().sourceFile;
    if (recordingFile.isEmpty() && !graph.SurveyPath().isEmpty())
        recordingFile = SurveySourcePath(graph.SurveyPath(), graph.GraphSurvey().source);
    std::optional<SurveyProvenance> provenance =
        ReadProvenance(changed ? QString() : graph.SurveyPath(), recordingFile, error);
    if (provenance && changed && !graph.SurveyPath().isEmpty())
        provenance->surveyName =
            QStringLiteral("%1, with changes not saved").arg(QFileInfo(graph.SurveyPath()).fileName());
    return provenance;
}

}  // namespace

std::optional<SurveyReport> GraphSurveyReport(const TfrmGraph& graph, QString* error)
{
    const std::optional<SurveyProvenance> provenance = GraphProvenance(graph, error);
    if (!provenance)
        return std::nullopt;
    const Survey& survey = graph.GraphSurvey();
    return MakeSurveyReport(survey, graph.ShownRecording(), SurveyReportDefaults(survey), *provenance);
}

bool SaveSurveyReport(const TfrmGraph& graph)
{
    const QString name =
        AskSaveFileName(QStringLiteral("Save Report"), QStringLiteral("PDF file(*.pdf)|*.PDF"), QStringLiteral("pdf"),
                        SuggestedFileName(graph.SurveyPath().isEmpty() ? graph.ShownRecording().sourceFile : graph.SurveyPath(),
                                          QStringLiteral("pdf")));
    if (name.isEmpty())
        return false;
    QString error;
    const std::optional<SurveyReport> report = GraphSurveyReport(graph, &error);
    if (!report || !SavePdf(name, [&report](QIODevice& out) { return WriteSurveyReportPdf(out, *report); }, &error)) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    return true;
}

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
    std::optional<SurveyProvenance> provenance =
        ReadProvenance(changed ? QString() : graph.SurveyPath(), graph.ShownRecording().sourceFile, error);
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
        AskSaveFileName(QStringLiteral("Save Report"), QStringLiteral("PDF file(*.pdf)|*.PDF"), QStringLiteral("pdf"));
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

// The graph window's survey: exclusions, their shading, its details, and what closing asks of them.
#include "graph/ui/TfrmGraph.h"

#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/PESGraph.h"
#include "shell/ui/Prompts.h"

#include <QColor>

namespace {

const QColor ExclusionShade(128, 128, 128, 70);
const QColor EventShade(255, 140, 0, 60);

}  // namespace

void TfrmGraph::OpenSurvey(Survey opened, const QString& path, bool relocated)
{
    session.Open(std::move(opened), path);
    if (relocated)
        session.Relocated();
    ShowShading();
    emit SurveyChanged();
}

bool TfrmGraph::LeaveSurvey()
{
    if (SurveyUnsaved() && !AskToSaveSurvey())
        return false;
    ResetSurvey();
    return true;
}

void TfrmGraph::ResetSurvey()
{
    session = SurveySession();
    eventMarks.clear();
    ShowShading();
    emit SurveyChanged();
}

void TfrmGraph::AddExclusion(Exclusion exclusion)
{
    session.AddExclusion(std::move(exclusion));
    ShowShading();
    emit SurveyChanged();
}

void TfrmGraph::RemoveExclusion(std::size_t index)
{
    if (!session.RemoveExclusion(index))
        return;
    ShowShading();
    emit SurveyChanged();
}

void TfrmGraph::SetAnalysisSettings(const SurveyAnalysis& analysis)
{
    session.SetAnalysis(analysis);
}

void TfrmGraph::SetSurveyDetails(SurveyDetails details)
{
    session.SetDetails(std::move(details));
    emit SurveyChanged();
}

void TfrmGraph::MarkSurveySaved(const QString& path, const SurveySource& source)
{
    session.MarkSaved(path, source);
}

void TfrmGraph::SetEventMarks(std::vector<std::pair<double, double>> spans)
{
    eventMarks = std::move(spans);
    ShowShading();
}

void TfrmGraph::ShowShading()
{
    std::vector<PESGraph::ShadedSpan> spans;
    for (const Exclusion& exclusion : session.Value().exclusions)
        spans.push_back({exclusion.from, exclusion.to, ExclusionShade});
    for (const auto& [from, to] : eventMarks)
        spans.push_back({from, to, EventShade});
    PESGraph1->SetShadedSpans(std::move(spans));
    RedrawChart();
}

void TfrmGraph::btnAnalysisClick()
{
    if (services->Analysis)
        services->Analysis(*this);
}

void TfrmGraph::btnExcludeClick()
{
    if (services->Exclude)
        services->Exclude(*this);
}

void TfrmGraph::btnExclusionsClick()
{
    if (services->Exclusions)
        services->Exclusions(*this);
}

void TfrmGraph::btnSurveyDetailsClick()
{
    if (services->SurveyDetails)
        services->SurveyDetails(*this);
}

bool TfrmGraph::AskToSaveSurvey()
{
    const QString question =
        QStringLiteral("The exclusions and survey details of %1 have not been saved. Save them in a survey file?")
            .arg(Caption());
    switch (CurrentPrompts().AskYesNoCancel(question)) {
    case Prompts::Answer::Cancel: return false;
    case Prompts::Answer::No: return true;
    case Prompts::Answer::Yes: break;
    }
    // A survey saved before is saved again where it is; a survey not written keeps the window
    // and its exclusions.
    return SurveyPath().isEmpty() ? SaveGraphSurvey(*this) : WriteGraphSurvey(*this, SurveyPath());
}

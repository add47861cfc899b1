#include "survey/ui/EditGraphSurveyDetails.h"

#include "graph/ui/TfrmGraph.h"
#include "survey/ui/SurveyDetailsDialog.h"
#include "shell/Folders.h"

#include <QFileInfo>

bool EditGraphSurveyDetails(TfrmGraph& graph)
{
    const QString folder =
        graph.SurveyPath().isEmpty() ? DocumentsFolder() : QFileInfo(graph.SurveyPath()).absolutePath();
    std::optional<SurveyDetails> edited = EditSurveyDetails(graph.GraphSurvey().details, folder, &graph);
    if (!edited)
        return false;
    graph.SetSurveyDetails(std::move(*edited));
    return true;
}

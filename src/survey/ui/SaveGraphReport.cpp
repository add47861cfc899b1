#include "survey/ui/SaveGraphReport.h"

#include "files/ui/AskSaveFileName.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "report/ReportPage.h"
#include "survey/ui/SaveSurveyReport.h"
#include "report/ui/WriteReportPdf.h"
#include "shell/Clock.h"
#include "shell/ui/Prompts.h"

#include <QToolButton>

#include <tuple>

ReportPage GraphReportPage(const TfrmGraph& graph)
{
    ReportGraph shown;
    shown.caption = graph.Caption();
    shown.chart = ReportChartOf(graph.PESGraph1->State());
    // The window's own slider, and its cursor statistics only when it shows them.
    std::tie(shown.cursorA, shown.cursorB) = graph.CursorPoints();
    shown.withCursors = graph.ToolButton2->isChecked();
    return MakeReportPage(shown, graph.ShownRecording(), CurrentClock().Now());
}

bool SaveGraphReport(TfrmGraph& graph)
{
    if (graph.HasSurvey())
        return SaveSurveyReport(graph);
    const QString name =
        AskSaveFileName(QStringLiteral("Save Report"), QStringLiteral("PDF file(*.pdf)|*.PDF"), QStringLiteral("pdf"),
                        SuggestedFileName(graph.ShownRecording().sourceFile, QStringLiteral("pdf")));
    if (name.isEmpty())
        return false;
    QString error;
    if (!WriteReportPdf(name, {GraphReportPage(graph)}, &error)) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    return true;
}

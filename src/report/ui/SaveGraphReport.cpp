#include "report/ui/SaveGraphReport.h"

#include "files/ui/AskSaveFileName.h"
#include "report/ui/WriteReportPdf.h"
#include "shell/ui/Prompts.h"

bool SaveGraphReport(TfrmGraph& graph)
{
    const QString name =
        AskSaveFileName(QStringLiteral("Save Report"), QStringLiteral("PDF file(*.pdf)|*.PDF"), QStringLiteral("pdf"));
    if (name.isEmpty())
        return false;
    QString error;
    if (!WriteReportPdf(name, 1, [&graph](int) -> TfrmGraph& { return graph; }, &error)) {
        CurrentPrompts().ShowError(error);
        return false;
    }
    return true;
}

#include "report/ui/DataSetsReport.h"

#include "report/ReportPage.h"
#include "report/ui/WriteReportPdf.h"
#include "shell/Clock.h"

#include <QFileInfo>

bool WriteDataSetsReport(const std::vector<Recording>& sets, const QString& source, QIODevice& out)
{
    const double now = CurrentClock().Now();
    std::vector<ReportPage> pages;
    pages.reserve(sets.size());
    for (const Recording& set : sets)
        pages.push_back(RecordingReportPage(set, QFileInfo(source).fileName(), now));
    return WriteReportPdf(out, pages);
}

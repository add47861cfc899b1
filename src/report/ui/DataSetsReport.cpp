#include "report/ui/DataSetsReport.h"

#include "report/ReportPage.h"
#include "report/ui/WriteReportPdf.h"
#include "shell/Clock.h"

#include <QFileInfo>

bool WriteDataSetsReport(const DataSetTable& table, const QString& source, QIODevice& out)
{
    const double now = CurrentClock().Now();
    std::vector<ReportPage> pages;
    pages.reserve(table.sets.size());
    for (int set = 0; set < static_cast<int>(table.sets.size()); ++set)
        pages.push_back(DataSetReportPage(table, set, QFileInfo(source).fileName(), now));
    return WriteReportPdf(out, pages);
}

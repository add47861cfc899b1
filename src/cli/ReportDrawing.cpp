#include "cli/ReportDrawing.h"

ReportDrawing& InstalledReportDrawing()
{
    static ReportDrawing drawing;
    return drawing;
}

#include "cli/ReportDrawing.h"

#include <QByteArray>

ReportDrawing& InstalledReportDrawing()
{
    static ReportDrawing drawing;
    return drawing;
}

bool DrawsReportPages(int argc, char** argv)
{
    if (argc < 2 || qstrcmp(argv[1], "report") != 0)
        return false;
    for (int i = 2; i < argc; ++i)
        if (qstrcmp(argv[i], "--pdf") == 0 || qstrncmp(argv[i], "--pdf=", 6) == 0)
            return true;
    return false;
}

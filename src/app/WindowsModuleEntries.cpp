// The entry points the windows module exports; everything else in it stays its own.
#include "app/WindowProgram.h"
#include "app/WindowsModule.h"
#include "cli/ReportDrawing.h"
#include "report/ui/DataSetsReport.h"
#include "report/ui/DrawSurveyReport.h"
#include "shell/ui/OffscreenApplication.h"

#include <QCoreApplication>

#include <type_traits>

#define QX574_EXPORT extern "C" __attribute__((visibility("default")))

QX574_EXPORT int qx574_run_window_program(int argc, char** argv)
{
    return RunWindowProgram(argc, argv);
}

QX574_EXPORT void qx574_install_report_drawing(ReportDrawing& drawing)
{
    drawing = {MakeOffscreenApplication, WriteDataSetsReport, WriteSurveyReportPdf};
}

static_assert(std::is_same_v<decltype(&qx574_run_window_program), RunWindowProgramEntry>);
static_assert(std::is_same_v<decltype(&qx574_install_report_drawing), InstallReportDrawingEntry>);

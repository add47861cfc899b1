#pragma once
#include "recording/Recording.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QCoreApplication;
class QIODevice;
struct SurveyReport;

// Drawing the report's pages takes Qt Gui, which the command line does not link: main() installs
// the windows' drawing here before the command line runs, when the arguments ask for pages.
// Without it, `report --pdf` says that it cannot draw.
struct ReportDrawing {
    // The application object a drawing command runs on, one that needs no display.
    std::function<std::unique_ptr<QCoreApplication>(int& argc, char** argv)> MakeApplication;
    // The report of every set of a collection, one page each, written into out; false when it
    // could not be. source names the collection on the pages.
    std::function<bool(const std::vector<Recording>& sets, const QString& source, QIODevice& out)> WritePdf;
    // A survey's report of several pages, written into out; false when it could not be.
    std::function<bool(QIODevice& out, const SurveyReport& report)> WriteSurveyPdf;
};

ReportDrawing& InstalledReportDrawing();

// Whether a command's arguments (argv[0] the program) ask for a report's pages: report --pdf.
bool DrawsReportPages(int argc, char** argv);

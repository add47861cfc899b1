#pragma once
#include "recording/Recording.h"
#include "survey/SurveyFile.h"

#include <QString>

#include <optional>
#include <vector>

class Console;

// What qx574 report reads: a collection (.REC), a graph (.ghf), a survey (.qxs, with the set of
// the recording it names) or a log of qx574 watch (any other name, CSV or JSON lines). The
// levels are as measured: a survey's calibration offset is added where they are analysed.
struct ReportSource {
    std::vector<Recording> sets;
    bool collection = false;       // every set of a collection, as its report pages take them
    std::optional<Survey> survey;
    QString recordingPath;         // a survey's recording

    double OffsetDb() const { return survey ? survey->details.offsetDb : 0.0; }
};

// Reads a report's source, saying on the console what it could not read (or what it read
// only in part). Nothing, with *status an ExitStatus, when no samples can be reported.
std::optional<ReportSource> ReadReportSource(const QString& path, Console& console, int* status);

#pragma once
#include "leq/OccupationalExposure.h"
#include "leq/SurveySeries.h"
#include "logger/DataSetTable.h"
#include "report/SurveyFile.h"
#include "report/SurveyReport.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

class Console;

// One recording a report covers: a data set of a collection, or the one series of a graph or
// a watch log (set 1).
struct ReportSet {
    int number = 1;
    std::size_t first = 0;  // its samples in the source's lists
    std::size_t count = 0;
    double start = 0.0;     // wall-clock days
    double intervalSeconds = 0.0;
    Weighting weighting = Weighting::Unknown;
    Response response = Response::Unknown;
    QString range;  // "30-130"; empty when not known
};

// What qx574 report reads: a collection (.REC), a graph (.ghf), a survey (.qxs, with the
// recording it names) or a log of qx574 watch (any other name, CSV or JSON lines).
struct ReportSource {
    DataSetTable samples;        // every set's times and levels; a collection's sets too
    bool collection = false;     // samples is a whole collection, as its report pages take it
    std::vector<ReportSet> sets;
    std::optional<Survey> survey;  // its set's levels include the survey's calibration offset
    QString recordingPath;         // a survey's recording

    std::span<const double> Times(const ReportSet& set) const
    {
        return std::span(samples.times).subspan(set.first, set.count);
    }
    std::span<const float> Levels(const ReportSet& set) const
    {
        return std::span(samples.levels).subspan(set.first, set.count);
    }
};

// The recording as a survey's report takes it: the first set (a survey's), its levels with
// the survey's offset.
SurveyRecording RecordingOf(const ReportSource& source);

// The sets of a decoded collection, each with its interval, weighting and response.
ReportSource CollectionSource(DataSetTable table);

// Reads a report's source, saying on the console what it could not read (or what it read
// only in part). Nothing, with *status an ExitStatus, when no samples can be reported.
std::optional<ReportSource> ReadReportSource(const QString& path, Console& console, int* status);

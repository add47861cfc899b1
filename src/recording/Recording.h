#pragma once
#include "link/MeterRange.h"
#include "link/MeterSettings.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

// One recording, as every face of the program works on it: the windows show it, the analysis,
// the reports and the command line read it. Its levels are as measured (a calibration offset is
// applied to a copy for an analysis); the facts are what its source says, Unknown or empty
// where it says nothing.
struct Recording {
    QString name;        // "Data set 3" when its source holds several sets; empty otherwise
    QString sourceFile;  // the file it was read from, absolute; empty while it is in no file
    int set = 1;         // its set in that file, from 1
    double start = 0.0;  // wall-clock days; a set without samples has one too
    double intervalSeconds = 0.0;  // as recorded; 0 when its source does not say
    Weighting weighting = Weighting::Unknown;
    Response response = Response::Unknown;
    std::optional<MeterRange> range;
    std::vector<double> times;  // wall-clock days, one per level
    std::vector<float> levels;  // dB as measured; 0 or NaN where the meter measured none

    std::size_t Count() const { return std::min(times.size(), levels.size()); }
    std::span<const double> Times() const { return std::span(times).first(Count()); }
    std::span<const float> Levels() const { return std::span(levels).first(Count()); }
};

// A heading of what a window shows: its caption, and the recording's name when it has one
// ("DataLogger \u2013 Data set 2").
QString RecordingTitle(const QString& caption, const Recording& recording);

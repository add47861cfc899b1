#pragma once
#include <QString>

// What a graph's maker knows of how its levels were recorded, beyond the points themselves.
// A data set knows all of it; a graph read from a file or a list knows none.
struct GraphRecording {
    QString name;                 // what the graph shows, as "Data set 3"; empty when unknown
    double intervalSeconds = 0.0; // between samples; 0 when unknown
    QString weighting;            // "dBA" or "dBC"
    QString response;             // "FAST" or "SLOW"
    QString range;                // "30-90" ...
};

// A heading of what a graph shows: its caption, and the recording's name when its maker gave
// one ("DataLogger \u2013 Data set 2").
inline QString RecordingTitle(const QString& caption, const GraphRecording& recording)
{
    return recording.name.isEmpty() ? caption : caption + QStringLiteral(" \u2013 ") + recording.name;
}

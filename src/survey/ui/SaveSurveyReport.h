#pragma once
#include "survey/SurveyReport.h"

#include <QString>

#include <optional>

class TfrmGraph;

// The survey's report of what a graph window holds: its levels with the survey's calibration
// offset, its exclusions, details and analysis settings, the figures qx574 report gives for
// the same survey. The provenance names the survey file only while the window holds the
// survey as saved ("with changes not saved" after it, "not saved in a file" before any), and
// the recording's file when its levels are in one. Nothing, with a message naming the file,
// when a file the provenance names cannot be read.
std::optional<SurveyReport> GraphSurveyReport(const TfrmGraph& graph, QString* error);

// "Report (PDF)…" of a graph window with a survey: asks for a file name and writes the survey's
// report there, atomically. An error naming the file is shown when it cannot be written. True
// when a file was written.
bool SaveSurveyReport(const TfrmGraph& graph);

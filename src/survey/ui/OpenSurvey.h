#pragma once
#include <QString>

class TfrmGraph;
struct GraphServices;

// File > Open of a survey: a new graph window (not yet placed anywhere) holding the recording
// the survey names, with the survey's exclusions and analysis settings. A recording that moved
// or changed since is named, and the user may locate it; none, after a message naming the
// file, when the survey or its recording cannot be read or the user gives up.
TfrmGraph* OpenSurveyWindow(const QString& path, const GraphServices& services);

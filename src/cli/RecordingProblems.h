#pragma once
#include "recording/ReadRecordings.h"

#include <QStringList>

class Console;

// A recording's warnings on the console, each after "Warning: ".
void SayWarnings(const QStringList& warnings, Console& console);
// A recording's problem on the console; its exit status: NoData for no samples, File for a file
// that cannot be read.
int SayProblem(const RecordingProblem& problem, Console& console);

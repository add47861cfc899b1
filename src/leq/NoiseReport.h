#pragma once
#include "leq/NoiseMetrics.h"

#include <QString>

// One line per data set of `qx574 report`, for other programs to read: '.' as decimal
// separator whatever the locale, one decimal, an ISO start time; a measure that is not given
// is an empty field. Neither text ends in a line break.
QString NoiseReportHeader();
// start: the set's start time in days; duration_s is T, the time of the valid samples.
QString NoiseReportRow(int set, double start, const NoiseMetrics& metrics);

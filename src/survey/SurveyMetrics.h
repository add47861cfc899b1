#pragma once
#include "leq/GraphMetrics.h"
#include "recording/Recording.h"
#include "survey/SurveyFile.h"

// The noise metrics of a recording under its survey, as Noise Metrics shows them and a report
// prints them: the levels with the survey's calibration offset, the interval by the recording's
// rule, of the whole recording and between the points cursorA and cursorB; with the survey's
// exclusions left out too when it has any.
GraphMetrics SurveyMetrics(const Recording& recording, const Survey& survey, int cursorA, int cursorB);

// What a window that shows a survey's figures says of its calibration offset: that its levels
// include it while the graph shows them as measured; empty without one.
QString OffsetNote(const Survey& survey);

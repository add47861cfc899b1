#include "survey/SurveyMetrics.h"

#include "recording/AnalysedRecording.h"
#include "recording/RecordingInterval.h"

GraphMetrics SurveyMetrics(const Recording& recording, const Survey& survey, int cursorA, int cursorB)
{
    const AnalysedRecording analysed = Analysed(recording, survey.details.offsetDb);
    return ComputeGraphMetrics(analysed.Times(), analysed.Levels(), IntervalOf(recording), cursorA, cursorB,
                               recording.weighting, survey.exclusions);
}

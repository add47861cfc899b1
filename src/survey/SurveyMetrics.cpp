#include "survey/SurveyMetrics.h"

#include "recording/AnalysedRecording.h"
#include "recording/RecordingInterval.h"

GraphMetrics SurveyMetrics(const Recording& recording, const Survey& survey, int cursorA, int cursorB)
{
    const AnalysedRecording analysed = Analysed(recording, survey.details.offsetDb);
    return ComputeGraphMetrics(analysed.Times(), analysed.Levels(), IntervalOf(recording), cursorA, cursorB,
                               recording.weighting, survey.exclusions);
}

QString OffsetNote(const Survey& survey)
{
    const double offset = survey.details.offsetDb;
    if (offset == 0.0)
        return {};
    return QStringLiteral("Every level here includes the survey's calibration offset of %1; the graph shows the "
                          "levels as measured.")
        .arg(SignedDbText(offset));
}

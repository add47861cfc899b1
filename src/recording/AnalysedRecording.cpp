#include "recording/AnalysedRecording.h"

#include "recording/CalibrationOffset.h"
#include "recording/RecordingInterval.h"

AnalysedRecording Analysed(const Recording& recording, double offsetDb)
{
    const std::span<const float> measured = recording.Levels();
    AnalysedRecording analysed{recording, std::vector<float>(measured.begin(), measured.end())};
    ApplyCalibrationOffset(analysed.levels, offsetDb);
    return analysed;
}

SurveySeries SeriesOf(const AnalysedRecording& analysed, std::span<const Exclusion> exclusions)
{
    return {analysed.Times(), analysed.Levels(), IntervalOf(analysed.recording).seconds, exclusions};
}

#include "recording/ChartRecording.h"

#include "graph/GraphStatistics.h"

Recording RecordingOfChart(const ChartState& chart, const QString& sourceFile)
{
    Recording recording;
    recording.sourceFile = sourceFile;
    const int points = chart.Points > 0 && chart.XDataII.size() >= static_cast<std::size_t>(chart.Points)
                               && chart.YData.size() >= static_cast<std::size_t>(chart.Points)
                           ? FilledPoints(chart.XDataII.data(), chart.Points)
                           : 0;
    recording.times.assign(chart.XDataII.begin(), chart.XDataII.begin() + points);
    recording.levels.assign(chart.YData.begin(), chart.YData.begin() + points);
    if (points > 0)
        recording.start = recording.times.front();
    return recording;
}

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
    const RecordingFacts& facts = chart.Facts;
    constexpr Weighting weightings[] = {Weighting::Unknown, Weighting::A, Weighting::C, Weighting::Mixed};
    constexpr Response responses[] = {Response::Unknown, Response::Fast, Response::Slow, Response::Mixed};
    if (facts.Weighting >= 0 && facts.Weighting < 4)
        recording.weighting = weightings[facts.Weighting];
    if (facts.Response >= 0 && facts.Response < 4)
        recording.response = responses[facts.Response];
    for (const MeterRange& range : MeterRanges)
        if (range.lowDb == facts.RangeLowDb && range.highDb == facts.RangeHighDb)
            recording.range = range;
    if (facts.IntervalSeconds > 0.0 && facts.IntervalSeconds < 1.0e6)
        recording.intervalSeconds = facts.IntervalSeconds;
    return recording;
}

RecordingFacts FactsOf(const Recording& recording)
{
    RecordingFacts facts;
    facts.Weighting = recording.weighting == Weighting::A   ? 1
                      : recording.weighting == Weighting::C ? 2
                      : recording.weighting == Weighting::Mixed ? 3
                                                                : 0;
    facts.Response = recording.response == Response::Fast   ? 1
                     : recording.response == Response::Slow ? 2
                     : recording.response == Response::Mixed ? 3
                                                             : 0;
    if (recording.range) {
        facts.RangeLowDb = recording.range->lowDb;
        facts.RangeHighDb = recording.range->highDb;
    }
    facts.IntervalSeconds = recording.intervalSeconds;
    return facts;
}

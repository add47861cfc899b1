#pragma once
#include <optional>

struct MeterStatus;
struct RealTimeRun;
class TfrmGraph;

// A real-time run drawn into the real-time graph.

// What the setup dialog asked for a run.
struct RunSetup {
    int count;
    float rate;
};

// Runs the setup dialog, filled from the graph's rate box and the run's rate. None when the
// user cancelled or typed something that is not a number (the message is shown then).
std::optional<RunSetup> AskRunSetup(TfrmGraph& graph, const RealTimeRun& run);

// Starts a run in the real-time graph: rate and capacity set, old samples and statistics gone,
// the graph's recording made with the weighting, response and range the meter's status shows,
// the start aligned to a whole second and the first sample taken of the live level (dB).
void StartRealTimeRun(TfrmGraph& graph, RealTimeRun& run, const RunSetup& setup, const MeterStatus& status,
                      float liveLevel);

// Takes one sample of the live level (dB) into the real-time graph; an implausible level is
// replaced by the last good one or, when there is none, no sample is taken.
void TakeRealTimeSample(TfrmGraph& graph, RealTimeRun& run, float liveLevel);

// One tick of the sampling timer during a run: counts the ticks and samples every whole rate.
// True when the chart is full and the run must stop.
bool RealTimeTick(TfrmGraph& graph, RealTimeRun& run, float liveLevel);

// Ends a run in the graph: the chart trimmed to the samples taken, the time axis ending now,
// the mean of the samples and the slider framing them.
void FinishRealTimeRun(TfrmGraph& graph, const RealTimeRun& run);

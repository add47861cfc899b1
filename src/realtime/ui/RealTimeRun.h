#pragma once
#include <optional>

class TfrmGraph;

// What the setup dialog asked for a run.
struct RunSetup {
    int count;
    float rate;
};

// Runs the setup dialog, filled from the graph's rate box and the current rate. None when the
// user cancelled or typed something that is not a number (the message is shown then).
std::optional<RunSetup> AskRunSetup(TfrmGraph& graph);

// Starts a run in the real-time graph: rate and capacity set, old samples and statistics gone,
// the start aligned to a whole second and the first sample taken.
void StartRealTimeRun(TfrmGraph& graph, const RunSetup& setup);

// Takes one sample of the live level into the real-time graph; an implausible level is
// replaced by the last good one or, when there is none, no sample is taken.
void TakeRealTimeSample(TfrmGraph& graph);

// One tick of the sampling timer during a run: counts the ticks and samples every whole rate.
// True when the chart is full and the run must stop.
bool RealTimeTick();

// Ends a run in the graph: the chart trimmed to the samples taken, the time axis ending now,
// the mean of the samples and the slider framing them.
void FinishRealTimeRun(TfrmGraph& graph);

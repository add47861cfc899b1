#pragma once
#include <functional>

class TfrmGraph;

// What a graph window asks of the program around it, which sits above it: the main window
// gives its windows the services it offers. A window made without them (in tests, for a report
// page) has them do nothing, and disables the buttons that need them.
struct GraphServices {
    // The main window's Save command for this window; true when a file was written.
    std::function<bool(TfrmGraph&)> Save = [](TfrmGraph&) { return false; };
    // "CAL Leq": the levels and their running LEQ in a new graph owned by this one.
    std::function<void(TfrmGraph&)> CalLeq = [](TfrmGraph&) {};
    // "Noise Metrics", "Analysis" and "Report (PDF)…". Unset, their buttons are disabled.
    std::function<void(TfrmGraph&)> NoiseMetrics;
    std::function<void(TfrmGraph&)> Report;
    // "Analysis": the window of periods, day-evening-night, events, distribution and exposure.
    std::function<void(TfrmGraph&)> Analysis;
    // "Survey Details\u2026": the dialog of the survey's details. Unset, its button is disabled.
    std::function<void(TfrmGraph&)> SurveyDetails;
    // "Exclude A\u2013B\u2026" and "Exclusions\u2026": the survey's exclusions. Unset, their buttons
    // are disabled.
    std::function<void(TfrmGraph&)> Exclude;
    std::function<void(TfrmGraph&)> Exclusions;
    // Real Time > Option > "discard float error" is on: a window shown masks the exceptions.
    std::function<bool()> DiscardFloatError = [] { return true; };
};

// The services of a window made without the main window.
const GraphServices& NoGraphServices();

#pragma once
#include <functional>

class TfrmGraph;

// What a graph window asks of the main window, which sits above it. The main window installs
// these when it is made; until then they do nothing, so a graph window can live without one.
struct GraphWindowHooks {
    // The main window's Save command for this window; true when a file was written.
    std::function<bool(TfrmGraph&)> Save = [](TfrmGraph&) { return false; };
    // Checks or unchecks the menu item "Real Time Graph".
    std::function<void(bool)> CheckRealTimeGraphItem = [](bool) {};
    // "CAL Leq": the levels and their running LEQ in a new graph owned by this one.
    std::function<void(TfrmGraph&)> CalLeq = [](TfrmGraph&) {};
    // The real-time graph closed: its run, if one was going, has ended with it.
    std::function<void()> RealTimeGraphClosed = [] {};
    // "Noise Metrics" and "Report (PDF)…". Unset, their buttons are disabled: a window made
    // without the main window cannot do them.
    std::function<void(TfrmGraph&)> NoiseMetrics;
    std::function<void(TfrmGraph&)> Report;
};

GraphWindowHooks& GraphHooks();

#pragma once
#include <functional>

class TfrmGraph;

// What a graph window asks of the main window, which sits above it. The main window sets
// these when it is made; the defaults let a graph window live without one.
struct GraphWindowHooks {
    // The main window's Save command for this window; true when a file was written.
    std::function<bool(TfrmGraph&)> Save;
    // Checks or unchecks the menu item "Real Time Graph".
    std::function<void(bool)> CheckRealTimeGraphItem;
    // The real-time graph closed: Run enabled when connected, Stop disabled.
    std::function<void()> RealTimeGraphClosed;
    // Enables or disables the tool button "Output Tabular to graph".
    std::function<void(bool)> EnableOutputToGraph;
};

GraphWindowHooks& GraphHooks();

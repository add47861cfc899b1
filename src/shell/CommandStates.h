#pragma once

// The kind of the active child window, as the commands see it.
enum class WindowKind { None, Panel, Graph, RealTimeGraph, DataLoggerGraph, List, Leq, Setup };

// The facts every enabled state follows from.
struct CommandFacts {
    bool connected = false;
    bool realTimeRunning = false;
    bool recording = false;  // the meter's logger is recording
    bool linkBusy = false;   // a download, erase or LEQ measurement holds the link
    WindowKind active = WindowKind::None;
    bool leqMeasuring = false;  // the LEQ window's measurement is what holds the link
};

// Whether each command that depends on those facts can be chosen. A command that would do
// nothing when chosen is disabled rather than silent.
struct CommandStates {
    bool save = false;            // File > Save and its tool button
    bool print = false;           // File > Print and its tool button
    bool dataLoggerMenu = false;  // the Data Logger menu and its tool button
    bool loadData = false;
    bool eraseMemory = false;
    bool setup = false;
    bool run = false;             // Real Time > Run and btnRun
    bool stop = false;            // Real Time > Stop and btnStop
    bool outputToGraph = false;   // btnOutputToGraph
    bool leq = false;             // the LEQ menu item
    bool clear = false;           // Clear of the real-time graph
    bool operator==(const CommandStates&) const = default;
};

CommandStates DecideCommandStates(const CommandFacts& facts);

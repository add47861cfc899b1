#pragma once
#include <cstdint>

// One real-time run: its rate, how far it has got, its extremes, and whether its samples are
// saved. The main window owns it; the real-time graph, its setup and the sampling tick work on it.
struct RealTimeRun {
    float Rate = 0.2f;              // seconds per sample
    bool Running = false;
    std::int32_t Count = 0;         // samples taken
    std::int32_t Ticks = 0;         // sampling-timer ticks since the last sample
    bool Unsaved = false;           // samples taken that no save has kept
    float LastGoodLevel = 0.0f;     // stands in for an implausible level
    float Max = -9999.0f;
    float Min = 9999.0f;
    double MaxTime = 0.0;
    double MinTime = 0.0;
};

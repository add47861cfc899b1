#pragma once
#include <QString>

#include <cstdint>

// The one process-wide record of what the program knows about the meter, the real-time run,
// the data logger and the user's settings. It holds no windows and no link buffers: the open
// windows are in AppWindows, the command and reply frames in the link session.
struct AppState {
    // Meter
    bool Connected = false;
    std::int32_t PollFailures = 0;
    bool MeterRecording = false;
    float LiveLevel = 0.0f;
    std::uint8_t LastClockSecond = 0;
    bool BlinkOn = false;
    bool BlinkBusy = false;

    // Real-time run
    float RealTimeRate = 0.2f;
    bool RealTimeRunning = false;
    std::int32_t RealTimeCount = 0;
    std::int32_t RealTimeTicks = 0;
    bool RealTimeUnsaved = false;
    float LastGoodLevel = 0.0f;
    float RealTimeMax = -9999.0f;
    float RealTimeMin = 9999.0f;
    double RealTimeMaxTime = 0.0;
    double RealTimeMinTime = 0.0;

    // Data logger
    bool DataLoggerUnsaved = false;
    std::int32_t MemoryEnd = 0;
    std::int32_t BytesPerSample = 2;

    // Settings
    bool DiscardFloatError = true;
    QString DataFolder;
};

extern AppState App;

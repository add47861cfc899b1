#pragma once
#include "MeterFrames.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>

class TfrmPanel;
class TfrmGraph;
class TfrmLEQ;
class TfrmAbout;
class QTimer;

constexpr int BitmapSlots = 38;
constexpr int BlankDigitSlot = 10;
constexpr int SmallDigitSlot = 16;  // slots 16..25: small digits 0..9
constexpr int BatterySlot = 32;     // slots 32..37: battery images

// The one process-wide record the windows share: link state, open windows,
// the real-time run, the data logger and the user's settings.
struct AppState {
    // Meter link
    std::uint16_t VendorId = 0x04D9;
    std::uint16_t ProductId = 0xE000;
    CommandFrame Command{0x02, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00};
    ReplyFrame Reply{};
    std::uint8_t CommandSeq = 0;
    bool Connected = false;
    bool PollBusy = false;
    std::int32_t PollFailures = 0;
    bool MeterRecording = false;
    float LiveLevel = 0.0f;
    std::uint8_t LastClockSecond = 0;
    bool BlinkOn = false;
    bool BlinkBusy = false;

    // Open windows: each cleared by the window's own close.
    QPointer<TfrmPanel> Panel;
    QPointer<TfrmGraph> RealTimeGraph;
    QPointer<TfrmGraph> DataLoggerGraph;
    QPointer<TfrmLEQ> LeqWindow;
    QPointer<TfrmAbout> AboutBox;

    // The main window's timers: polling stops MainTimer, the panel drives the MAX/MIN blinking.
    QPointer<QTimer> MainTimer;
    QPointer<QTimer> MaxMinTimer;

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

    // Settings and resources
    bool DiscardFloatError = true;
    QString DataFolder;
    std::array<QImage, BitmapSlots> Bitmaps{};  // a null image is an empty slot
};

extern AppState App;

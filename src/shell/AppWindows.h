#pragma once
#include <QImage>
#include <QPointer>

#include <array>

class TfrmPanel;
class TfrmGraph;
class TfrmLEQ;
class TfrmAbout;
class TfrmSetup;
class QTimer;

constexpr int BitmapSlots = 38;
constexpr int BlankDigitSlot = 10;
constexpr int SmallDigitSlot = 16;  // slots 16..25: small digits 0..9
constexpr int BatterySlot = 32;     // slots 32..37: battery images

// The windows the program keeps track of, and the LCD bitmaps the panel draws with. Each
// reference is cleared by its window's own close.
struct AppWindows {
    QPointer<TfrmPanel> Panel;
    QPointer<TfrmGraph> RealTimeGraph;
    QPointer<TfrmGraph> DataLoggerGraph;
    QPointer<TfrmLEQ> LeqWindow;
    QPointer<TfrmAbout> AboutBox;
    QPointer<TfrmSetup> SetupDialog;

    // The main window's blink timer, which the panel starts and stops.
    QPointer<QTimer> MaxMinTimer;

    std::array<QImage, BitmapSlots> Bitmaps{};  // a null image is an empty slot
};

extern AppWindows Windows;

#pragma once
#include "panel/PanelReadout.h"

#include <QImage>
#include <QPointer>

#include <array>

class TfrmPanel;
class TfrmGraph;
class TfrmLEQ;
class TfrmAbout;
class TfrmSetup;
class QTimer;


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

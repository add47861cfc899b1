#pragma once
#include "panel/ui/LcdBitmaps.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>

class KeyLabel;
class QLabel;
class QToolButton;
struct MeterStatus;

// The control panel: a picture of the meter whose LCD mirrors the last status and whose
// keys send the meter's key commands.
class TfrmPanel : public QWidget {
    Q_OBJECT
public:
    // Draws with the given bitmaps; blinks MAX and MIN with the given timer, whose ticks call
    // SetMaxMinWords.
    TfrmPanel(const LcdBitmaps& bitmaps, QTimer& blinkTimer, QWidget* parent = nullptr);

    // Draws one decoded status with its displayed level (tenths of a dB).
    void ShowStatus(const MeterStatus& status, int level);
    // The pattern "1888" a freshly started program shows until the first status.
    void ShowPowerOnPattern();
    void SetNoConnectionVisible(bool visible);
    // Shows or hides both MAX and MIN: the blinking of the alternating selection.
    void SetMaxMinWords(bool visible);

    // The bitmap slot a big digit (0-3) or clock digit (0-7) shows; -1 while empty.
    int MainDigitSlot(int index) const { return mainSlots[static_cast<std::size_t>(index)]; }
    int ClockDigitSlot(int index) const { return clockSlots[static_cast<std::size_t>(index)]; }

    void btnACClick();
    void btnMaxMinClick();
    void btnMaxMinDblClick();
    void btnFastClick();
    void btnRECClick();
    void btnLevelClick();
    void btnPowerClick();
    void SpeedButton1Click();
    void SpeedButton2Click();

signals:
    // The minimise key put the panel away.
    void Minimised();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Image(const QString& name, const QRect& area, const QString& artwork = {});
    QLabel* Word(const QString& name, const QString& text, QPoint at, int pixelHeight,
                 bool visible);
    KeyLabel* Key(const QString& name, const QRect& area, const QString& hint);
    void SetDigit(QLabel* image, int slot, int& shown);
    void ShowClock(const MeterStatus& status);
    void ShowMaxMin(const MeterStatus& status);
    void SendKey(std::uint8_t command);
    QWidget* Frame();

    std::array<QLabel*, 4> mainDigits{};
    std::array<QLabel*, 8> clockDigits{};
    std::array<int, 4> mainSlots{-1, -1, -1, -1};
    std::array<int, 8> clockSlots{-1, -1, -1, -1, -1, -1, -1, -1};
    QLabel* imgPanel = nullptr;
    QLabel* imgColorBar = nullptr;
    QLabel* lblFAST = nullptr;
    QLabel* lblSLOW = nullptr;
    QLabel* imgUNDER = nullptr;
    QLabel* imgOVER = nullptr;
    QLabel* lblRangeLow = nullptr;
    QLabel* lblRangeHigh = nullptr;
    QLabel* lblNoConnection = nullptr;
    QLabel* lbldBA = nullptr;
    QLabel* lbldBC = nullptr;
    QLabel* lblMIN = nullptr;
    QLabel* lblMAX = nullptr;
    QLabel* lblREC = nullptr;
    QLabel* lblFULL = nullptr;
    const LcdBitmaps& bitmaps;
    QPointer<QTimer> blinkTimer;
    std::uint8_t lastClockSecond = 0;  // the seconds byte of the clock last drawn
    QPoint dragOffset;
    bool dragging = false;
};

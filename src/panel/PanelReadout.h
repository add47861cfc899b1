#pragma once
#include "link/MeterStatus.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// What the panel's LCD shows for a status, worked out apart from the window.

// The LCD bitmaps' slots.
constexpr int BitmapSlots = 38;
constexpr int BlankDigitSlot = 10;
constexpr int SmallDigitSlot = 16;  // slots 16..25: small digits 0..9
constexpr int BatterySlot = 32;     // slots 32..37: battery images

constexpr int DashSlot = 11;  // the big "-" glyph

// Bitmap slots of the four big digits for a level in tenths of a dB: the thousands digit
// blank when zero, leading zeros of the others shown. A level the four digits cannot
// hold (10000 or more) reads "----".
std::array<int, 4> LevelDigitSlots(int level);

// Bitmap slots of the clock digits hh mm ss, in that order. Drawing stops at the first byte
// that is not BCD, so fewer than six slots come back then.
std::vector<int> ClockDigitSlots(const MeterStatus& status);

// Whether the meter says its clock is not to be shown (0x5A in any clock byte).
bool ClockIsHidden(const MeterStatus& status);

// The colour scale's picture is this wide; the bar never shows more of it.
constexpr int ColorScaleWidth = 156;

struct RangeBar {
    QString low;
    QString high;
    int width;  // pixels of the colour scale shown
};

// The range labels and bar width for a range code; none for an unknown code.
std::optional<RangeBar> RangeBarFor(std::uint8_t rangeCode, int level);

#pragma once
#include "panel/PanelReadout.h"

#include <QImage>

#include <array>

// The images the panel's LCD is drawn with, by slot; a null image is an empty slot.
using LcdBitmaps = std::array<QImage, BitmapSlots>;

// From the program's resources "LCD0".."LCD15" (slots 0-15), "LCDS0".."LCDS9" (slots 16-25)
// and "BAT0".."BAT5" (slots 32-37).
LcdBitmaps LoadLcdBitmaps();

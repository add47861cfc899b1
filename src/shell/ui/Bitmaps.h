#pragma once

struct AppWindows;

// Fills the LCD bitmap table from the program's resources "LCD0".."LCD15" (slots 0-15),
// "LCDS0".."LCDS9" (slots 16-25) and "BAT0".."BAT5" (slots 32-37).
void LoadBitmaps(AppWindows& windows);

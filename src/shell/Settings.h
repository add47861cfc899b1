#pragma once

struct AppState;

// Reads "RealTimeRate" and "discard_float_error" from the settings store; a value that is
// missing, not an 8-byte binary double, or in a store that cannot be read gives the default.
void LoadSettings(AppState& state);
// Writes both back as 8-byte binary doubles; a failed write is ignored.
void SaveSettings(const AppState& state);

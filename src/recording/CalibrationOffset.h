#pragma once
#include <span>

// Adds a calibration offset to the measured levels of a recording's copy for its analysis.
// A level that is no measurement stays none, and a measured one stays measured: a result past
// the meter's 20-140 dB is held at the bound rather than dropped from the analysis.
void ApplyCalibrationOffset(std::span<float> levels, double offsetDb);


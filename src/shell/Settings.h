#pragma once
#include <QString>

// The two values the program keeps between runs.
struct ProgramSettings {
    float RealTimeRate = 0.2f;       // seconds per real-time sample
    bool DiscardFloatError = true;   // Real Time > Option > "discard float error"
};

// Seconds per real-time sample that the program accepts: above 0, at most a day. A stored or
// typed rate outside them (0, negative, 1e300, not a number) is refused.
constexpr double MaxSamplingRate = 86400.0;
bool IsValidSamplingRate(double seconds);
// What the user is told when a typed rate is a number but not a valid rate.
QString InvalidRateMessage(const QString& text);

// Reads "RealTimeRate" and "discard_float_error" from the settings store; a value that is
// missing, not an 8-byte binary double, in a store that cannot be read, or a rate that is not
// a valid sampling rate gives the default.
ProgramSettings LoadSettings();
// Writes both back as 8-byte binary doubles; a failed write is ignored.
void SaveSettings(const ProgramSettings& settings);

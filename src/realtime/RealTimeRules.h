#pragma once
#include <QString>

#include <optional>

// The rules of a real-time run, apart from any window.

// The recording period of count samples at rate seconds, truncated to whole seconds:
// "h:mm:ss" as the setup dialog shows it.
QString PeriodText(long long count, double rate);
// The period of the 2000 samples the dialog proposes, rounded and without zero padding
// ("0:6:40" at 0.2 s), as the run fills it in before the dialog opens.
QString InitialPeriodText(double rate);

// The level a sample stores: the live level when it is plausible (20 to 140 dB), else the
// last good level when that is above 30 dB; none when neither is usable.
std::optional<float> PlausibleLevel(float liveLevel, float lastGoodLevel);

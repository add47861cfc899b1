#pragma once

// The levels the meter measures: 20.0 to 140.0 dB. Anything else (a logger sample stored as
// 0, an empty chart point, a reading that is not a number) is no measurement.
constexpr double LowestMeasurableDb = 20.0;
constexpr double HighestMeasurableDb = 140.0;

constexpr bool IsMeasurableLevel(double db) { return db >= LowestMeasurableDb && db <= HighestMeasurableDb; }

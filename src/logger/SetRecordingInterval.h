#pragma once
#include "link/MeterFrames.h"

#include <QString>

#include <optional>

class LinkSequence;

// Failure codes of setting the recording interval.
namespace IntervalCode {
constexpr int InvalidInput = 701;
constexpr int Open = 703;
constexpr int Timeouts = 704;
constexpr int WriteHigh = 705;  // address 14
constexpr int ReadHigh = 706;
constexpr int Echo = 707;       // a reply does not begin with 02 'W'
constexpr int WriteLow = 708;   // address 15
constexpr int ReadLow = 709;
}  // namespace IntervalCode

constexpr int MaxRecordingInterval = 60;

// The interval typed as minutes and seconds, each as its edit shows it (a blank digit
// included): minutes * 60 + seconds. Nothing when either is not all digits or the interval is
// above 60 s; 0 is taken, as the meter's own setting allows it.
std::optional<int> IntervalFromInput(const QString& minutes, const QString& seconds);

// Writes the interval into the meter's EEPROM: 0 at address 14, then the seconds at address
// 15, each reply checked for the echo of 02 'W'. Uses the sequence's frames; returns 0 or an
// IntervalCode (InvalidInput, with nothing sent, for seconds outside 0 to 60). The device is
// closed at the end.
int SetRecordingInterval(LinkSequence& link, int seconds);

// The message that reports a code of the sequence above; empty for none.
QString RecordingIntervalMessage(int code);

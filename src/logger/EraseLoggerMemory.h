#pragma once
#include "link/MeterFrames.h"

class LinkSequence;

// Failure codes of an erase.
namespace EraseCode {
constexpr int Open = 803;
constexpr int Timeouts = 804;
constexpr int Write = 805;
constexpr int Read = 806;
constexpr int Echo = 807;  // the reply does not begin with the erase frame
}  // namespace EraseCode

// Erases the meter's logger memory with the fixed "erase" frame and checks that the reply
// echoes all seven bytes of it; the reply is read into the sequence's frame. Returns 0 or an
// EraseCode. The device is left open, as the next sequence closes it first.
int EraseLoggerMemory(LinkSequence& link);

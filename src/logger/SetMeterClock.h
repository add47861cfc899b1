#pragma once
#include "link/MeterFrames.h"

#include <array>
#include <cstdint>

class LinkSequence;

// Failure codes of setting the meter's clock.
namespace ClockCode {
constexpr int Open = 201;
constexpr int Timeouts = 202;
constexpr int Write = 203;
constexpr int ClockBlock = 205;  // the clock packet was not taken
}  // namespace ClockCode

using ClockPacket = std::array<std::uint8_t, 32>;

// The 32-byte block that follows the set-clock command: BCD second, minute, hour, day and
// month at bytes 0 to 4, the year within the century at 6, 0 at 7. The meter gives the other
// bytes no meaning; they are sent as 0.
ClockPacket MakeClockPacket(double days);

// Sets the meter's clock to now (days, local time): the set-clock command in the sequence's
// frame, then the clock packet. Nothing is read back. Returns 0 or a ClockCode; the device
// is left open, as the next sequence closes it first.
int SetMeterClock(LinkSequence& link, double now);

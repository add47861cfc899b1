#include "logger/SetMeterClock.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"
#include "link/MeterBytes.h"
#include "link/MeterClock.h"

namespace {

constexpr std::uint8_t SetClockSelector = 'c';

}  // namespace

ClockPacket MakeClockPacket(double days)
{
    const ClockFields clock = ClockFieldsFromDays(days);
    ClockPacket packet{};
    packet[0] = ToBcd(clock.second);
    packet[1] = ToBcd(clock.minute);
    packet[2] = ToBcd(clock.hour);
    packet[3] = ToBcd(clock.day);
    packet[4] = ToBcd(clock.month);
    packet[6] = ToBcd(clock.year % 100);
    return packet;
}

int SetMeterClock(LinkSequence& link, double now)
{
    HtUsb& usb = link.Usb();
    CommandFrame& command = link.Command();
    // Open the meter.
    if (const int code = OpenMeter(usb, ExchangeTimeoutMs, ClockCodes); code != 0)
        return code;
    // 't' 'c' 00 announces the clock packet.
    FrameCommand(command, Cmd::SetClock);
    command[2] = SetClockSelector;
    command[3] = 0x00;
    if (const int code = WriteFrame(usb, command, ClockCodes); code != 0)
        return code;
    usb.PrepareRead();
    // The packet itself; the meter answers nothing.
    const ClockPacket packet = MakeClockPacket(now);
    if (usb.WriteData(static_cast<std::int32_t>(packet.size()), packet.data()) != 0)
        return ClockCode::ClockBlock;
    return 0;
}

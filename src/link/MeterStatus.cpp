#include "MeterStatus.h"

#include "CommandTable.h"

namespace {

std::uint16_t BigEndian16(const ReplyFrame& reply, int at)
{
    return static_cast<std::uint16_t>(reply[static_cast<std::size_t>(at)] << 8 |
                                      reply[static_cast<std::size_t>(at) + 1]);
}

bool Bit(std::uint8_t byte, int bit) { return (byte >> bit & 1) != 0; }

}  // namespace

MeterStatus DecodeMeterStatus(const ReplyFrame& reply)
{
    MeterStatus status;
    status.recording = Bit(reply[1], 0);
    status.maxMinOn = Bit(reply[1], 2);
    status.aWeighting = Bit(reply[1], 3);
    status.fast = Bit(reply[1], 4);
    status.under = Bit(reply[1], 6);
    status.over = Bit(reply[1], 7);
    status.full = Bit(reply[2], 4);
    status.rangeCode = reply[3];
    status.maxMinSelection = reply[4];
    status.level = BigEndian16(reply, 5);
    status.maxLevel = BigEndian16(reply, 11);
    status.minLevel = BigEndian16(reply, 13);
    status.seconds = reply[15];
    status.minutes = reply[16];
    status.hours = reply[17];
    status.month = reply[19];
    status.day = reply[20];
    status.year = reply[21];
    return status;
}

int DisplayedLevel(const MeterStatus& status)
{
    if (status.maxMinOn && status.maxMinSelection == MaxMinSelect::Max)
        return status.maxLevel;
    if (status.maxMinOn && status.maxMinSelection == MaxMinSelect::Min)
        return status.minLevel;
    return status.level;
}

bool HasStatusMarkers(const ReplyFrame& reply)
{
    return reply[0] == FrameStart && reply[31] == FrameEnd;
}

bool IsOurModel(const ReplyFrame& reply)
{
    return reply[23] == '5' && reply[24] == '7' && reply[25] == '4';
}

std::optional<int> DecodeBcd(std::uint8_t byte)
{
    const int tens = byte >> 4;
    const int units = byte & 0x0F;
    if (tens > 9 || units > 9)
        return std::nullopt;
    return tens * 10 + units;
}

#include "link/MeterStatus.h"

#include "link/CommandTable.h"
#include "link/MeterBytes.h"

namespace {

std::uint16_t BigEndian16(const ReplyFrame& reply, int at)
{
    return static_cast<std::uint16_t>(ReadBigEndian(reply, static_cast<std::size_t>(at), 2));
}

}  // namespace

MeterStatus DecodeMeterStatus(const ReplyFrame& reply)
{
    using namespace ReplyLayout;
    const std::uint8_t flags = reply[FlagsByte];
    MeterStatus status;
    status.recording = (flags & FlagRec) != 0;
    status.maxMinOn = (flags & FlagMaxMin) != 0;
    status.aWeighting = (flags & FlagAWeighting) != 0;
    status.fast = (flags & FlagFast) != 0;
    status.under = (flags & FlagUnder) != 0;
    status.over = (flags & FlagOver) != 0;
    status.full = (reply[MemoryFlagsByte] & FlagFull) != 0;
    status.rangeCode = reply[RangeByte];
    status.maxMinSelection = reply[SelectionByte];
    status.level = BigEndian16(reply, LevelOffset);
    status.maxLevel = BigEndian16(reply, MaxOffset);
    status.minLevel = BigEndian16(reply, MinOffset);
    status.seconds = reply[SecondByte];
    status.minutes = reply[MinuteByte];
    status.hours = reply[HourByte];
    status.month = reply[MonthByte];
    status.day = reply[DayByte];
    status.year = reply[YearByte];
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
    return reply[ReplyLayout::StartByte] == FrameStart && reply[ReplyLayout::EndByte] == FrameEnd;
}

bool IsOurModel(const ReplyFrame& reply)
{
    const int at = ReplyLayout::ModelOffset;
    return reply[at] == '5' && reply[at + 1] == '7' && reply[at + 2] == '4';
}

std::optional<int> DecodeBcd(std::uint8_t byte)
{
    if (!IsBcd(byte))
        return std::nullopt;
    return FromBcd(byte);
}

#include "link/MeterReplies.h"

#include "link/MeterBytes.h"

#include <algorithm>

using namespace ReplyLayout;

namespace {

ReplyFrame Framed()
{
    ReplyFrame reply{};
    reply[StartByte] = FrameStart;
    reply[EndByte] = FrameEnd;
    return reply;
}

std::uint8_t StatusFlags(const StatusFields& s)
{
    return static_cast<std::uint8_t>((s.recording ? FlagRec : 0) | (s.maxMinOn ? FlagMaxMin : 0) |
                                     (s.aWeighting ? FlagAWeighting : 0) | (s.fast ? FlagFast : 0) |
                                     (s.under ? FlagUnder : 0) | (s.over ? FlagOver : 0));
}

}  // namespace

ReplyFrame IdentificationReply(std::string_view model)
{
    ReplyFrame reply = Framed();
    for (std::size_t i = 0; i < 3 && i < model.size(); ++i)
        reply[ModelOffset + i] = static_cast<std::uint8_t>(model[i]);
    return reply;
}

ReplyFrame StatusReply(const StatusFields& s)
{
    ReplyFrame reply = Framed();
    reply[FlagsByte] = StatusFlags(s);
    reply[MemoryFlagsByte] = s.full ? FlagFull : 0;
    reply[RangeByte] = s.rangeCode;
    reply[SelectionByte] = s.maxMinOn ? s.selection : MaxMinSelect::None;
    PutBigEndian(reply, LevelOffset, static_cast<std::uint32_t>(s.levelTenths), 2);
    PutBigEndian(reply, MaxOffset, static_cast<std::uint32_t>(s.maxTenths), 2);
    PutBigEndian(reply, MinOffset, static_cast<std::uint32_t>(s.minTenths), 2);
    reply[SecondByte] = ToBcd(s.clock.second);
    reply[MinuteByte] = ToBcd(s.clock.minute);
    reply[HourByte] = ToBcd(s.clock.hour);
    reply[MonthByte] = ToBcd(s.clock.month);
    reply[DayByte] = ToBcd(s.clock.day);
    reply[YearByte] = ToBcd(s.clock.year % 100);
    reply[SequenceEchoByte] = s.sequence;
    return reply;
}

ReplyFrame LoggerInfoReply(std::span<const std::uint8_t> headerPage, const ClockFields& clock,
                           std::uint8_t firmwareVersion)
{
    ReplyFrame reply{};
    std::copy_n(headerPage.begin(), std::min<std::size_t>(headerPage.size(), InfoHeaderBytes),
                reply.begin());
    const int fields[] = {clock.year % 100, clock.month, clock.day,
                          clock.hour,       clock.minute, clock.second};
    for (int i = 0; i < 6; ++i)
        reply[InfoClockOffset + i] = ToBcd(fields[i]);
    reply[FirmwareByte] = firmwareVersion;
    return reply;
}

ReplyFrame EchoReply(const CommandFrame& command, int count)
{
    ReplyFrame reply{};
    const int length = std::clamp(count, 0, static_cast<int>(command.size()));
    std::copy_n(command.begin(), length, reply.begin());
    return reply;
}

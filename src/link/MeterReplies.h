#pragma once
#include "CommandTable.h"
#include "MeterClock.h"
#include "MeterFrames.h"
#include "MeterStatus.h"

#include <cstdint>
#include <span>
#include <string_view>

// Where the meter puts things in its replies (the framing bytes and the sequence echo
// are the command table's).
namespace ReplyLayout {
constexpr int StartByte = 0;
constexpr int EndByte = 31;

constexpr int ModelOffset = 23;  // identification: three ASCII digits

// Status reply
constexpr int FlagsByte = 1;
constexpr std::uint8_t FlagRec = 0x01;
constexpr std::uint8_t FlagMaxMin = 0x04;
constexpr std::uint8_t FlagAWeighting = 0x08;
constexpr std::uint8_t FlagFast = 0x10;
constexpr std::uint8_t FlagUnder = 0x40;
constexpr std::uint8_t FlagOver = 0x80;
constexpr int MemoryFlagsByte = 2;
constexpr std::uint8_t FlagFull = 0x10;
constexpr int RangeByte = 3;
constexpr int SelectionByte = 4;
constexpr int LevelOffset = 5;  // 2 bytes, tenths of a dB
constexpr int MaxOffset = 11;
constexpr int MinOffset = 13;
constexpr int SecondByte = 15;
constexpr int MinuteByte = 16;
constexpr int HourByte = 17;
constexpr int MonthByte = 19;
constexpr int DayByte = 20;
constexpr int YearByte = 21;

// Logger information: the first 25 bytes of the header page, then the clock and firmware.
constexpr int InfoHeaderBytes = 25;
constexpr int InfoClockOffset = 25;  // BCD year, month, day, hour, minute, second
constexpr int FirmwareByte = 31;
}  // namespace ReplyLayout

// Everything the status reply tells.
struct StatusFields {
    bool recording = false;
    bool maxMinOn = false;
    bool aWeighting = true;
    bool fast = true;
    bool under = false;
    bool over = false;
    bool full = false;
    std::uint8_t rangeCode = Range::Auto;
    std::uint8_t selection = MaxMinSelect::None;
    int levelTenths = 0;
    int maxTenths = 0;
    int minTenths = 0;
    ClockFields clock;
    std::uint8_t sequence = 0;
};

ReplyFrame IdentificationReply(std::string_view model);
ReplyFrame StatusReply(const StatusFields& status);
ReplyFrame LoggerInfoReply(std::span<const std::uint8_t> headerPage, const ClockFields& clock,
                           std::uint8_t firmwareVersion);
// The first `count` bytes of the command, the rest zero.
ReplyFrame EchoReply(const CommandFrame& command, int count);

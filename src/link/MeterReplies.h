#pragma once
#include "link/CommandTable.h"
#include "link/MeterClock.h"
#include "link/MeterFrames.h"
#include "link/MeterStatus.h"

#include <cstdint>
#include <span>
#include <string_view>

// Where the logger information reply puts things (the status layout is the decoder's).
namespace ReplyLayout {
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

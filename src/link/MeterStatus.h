#pragma once
#include "link/MeterFrames.h"

#include <cstdint>
#include <optional>

// Range codes of the status reply.
namespace Range {
constexpr std::uint8_t Low = 0x11;     // 30-90 dB
constexpr std::uint8_t Mid = 0x22;     // 50-110 dB
constexpr std::uint8_t High = 0x44;    // 70-130 dB
constexpr std::uint8_t Auto = 0x88;    // 30-130 dB
}  // namespace Range

// MAX/MIN selections of the status reply.
namespace MaxMinSelect {
constexpr std::uint8_t None = 0x00;
constexpr std::uint8_t Max = 0x11;
constexpr std::uint8_t Min = 0x22;
constexpr std::uint8_t Alternate = 0x44;
}  // namespace MaxMinSelect

// Where the meter puts things in its identification and status replies (the sequence echo
// is the command table's).
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
}  // namespace ReplyLayout

// A clock byte of this value means the clock is not to be shown.
constexpr std::uint8_t ClockHidden = 0x5A;

// The status reply to 'A', read field by field. Levels are in tenths of a dB;
// clock and date bytes are kept as the BCD bytes the meter sent.
struct MeterStatus {
    bool recording = false;
    bool maxMinOn = false;
    bool aWeighting = false;
    bool fast = false;
    bool under = false;
    bool over = false;
    bool full = false;
    std::uint8_t rangeCode = 0;
    std::uint8_t maxMinSelection = 0;
    std::uint16_t level = 0;
    std::uint16_t maxLevel = 0;
    std::uint16_t minLevel = 0;
    std::uint8_t seconds = 0;
    std::uint8_t minutes = 0;
    std::uint8_t hours = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t year = 0;
};

MeterStatus DecodeMeterStatus(const ReplyFrame& reply);

// The level the meter displays: the MAX or MIN reading while that selection is shown.
int DisplayedLevel(const MeterStatus& status);

// A status or identification reply starts with 0x02 and ends with 0x03.
bool HasStatusMarkers(const ReplyFrame& reply);

// The identification reply names the model "574" in bytes 23-25.
bool IsOurModel(const ReplyFrame& reply);

// The two hexadecimal digits read as a decimal number; none when a digit is A-F.
std::optional<int> DecodeBcd(std::uint8_t byte);

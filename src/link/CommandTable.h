#pragma once
#include "link/MeterFrames.h"

#include <cstdint>

// Every command byte the program sends to the meter.
namespace Cmd {
constexpr std::uint8_t Identify = 0x4B;       // 'K'
constexpr std::uint8_t Status = 0x41;         // 'A'
constexpr std::uint8_t Resync = 0x51;         // 'Q'
constexpr std::uint8_t RecKey = 0x52;         // 'R'
constexpr std::uint8_t RangeKey = 0x4C;       // 'L'
constexpr std::uint8_t MaxMinKey = 0x4D;      // 'M'
constexpr std::uint8_t MaxMinCancel = 0x4E;   // 'N'
constexpr std::uint8_t WeightingKey = 0x43;   // 'C'
constexpr std::uint8_t FastSlowKey = 0x46;    // 'F'
constexpr std::uint8_t StartDownload = 0x50;  // 'P'
constexpr std::uint8_t NextBlock = 0x70;      // 'p'
constexpr std::uint8_t EndDownload = 0x71;    // 'q'
constexpr std::uint8_t Erase = 0x65;          // 'e'
constexpr std::uint8_t Information = 0x59;    // 'Y'
constexpr std::uint8_t SetClock = 0x74;       // 't'
constexpr std::uint8_t WriteEeprom = 0x57;    // 'W'
constexpr std::uint8_t ReadEeprom = 0x72;     // 'r'
}  // namespace Cmd

constexpr std::uint8_t FrameStart = 0x02;
constexpr std::uint8_t FrameEnd = 0x03;

// The two commands sent as fixed frames: "erase" between the framing bytes, and 'Y'.
constexpr CommandFrame EraseFrame{0x02, 0x65, 0x72, 0x61, 0x73, 0x65, 0x03};
constexpr CommandFrame InformationFrame{0x02, 0x59, 0x00, 0x00, 0x00, 0x00, 0x03};

// Time-outs of the sequences, in milliseconds.
constexpr std::uint32_t ExchangeTimeoutMs = 1000;
constexpr std::uint32_t KeyTimeoutMs = 500;
constexpr std::uint32_t LeqTimeoutMs = 100;

// The byte of a status frame that carries the poll's sequence number, and where the meter echoes it.
constexpr int SequenceByte = 5;
constexpr int SequenceEchoByte = 30;

#pragma once
#include "link/MeterClock.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Where the meter keeps things in its logger memory. All numbers are big-endian.
namespace LoggerLayout {
constexpr int MemorySize = 0x20000;  // 128 KiB, also reached by the EEPROM commands

// The header page: the first 256 bytes, of which the first 32 answer the start of a download.
constexpr int HeaderPageSize = 256;
constexpr int HeaderStartOffset = 0;
constexpr std::uint8_t HeaderStartMarker = 4;
constexpr int SetCountOffset = 9;      // 2 bytes
constexpr int MemoryEndOffset = 11;    // 3 bytes: index of the last used byte
constexpr int IntervalOffset = 14;     // 2 bytes: recording interval in seconds
constexpr int Calibration94Offset = 18;  // signed tenths of a dB
constexpr int Calibration70Offset = 19;  // 2 bytes
constexpr int HeaderEndOffset = 31;
constexpr std::uint8_t HeaderEndMarker = 5;
constexpr int EmptyMemoryEnd = HeaderPageSize - 1;

// One recording: a 16-byte header, 2 bytes per sample, a 2-byte end marker.
constexpr std::array<std::uint8_t, 2> RecordingStartMarker{0xA5, 0x5A};
constexpr std::array<std::uint8_t, 2> RecordingEndMarker{0x5A, 0xA5};
constexpr int RecordingTimeOffset = 3;  // 6 BCD bytes: year in century, month, day, h, m, s
constexpr int RecordingIntervalOffset = 10;
constexpr int RecordingCountOffset = 11;  // 3 bytes
constexpr int RecordingFlagsOffset = 14;
constexpr int RecordingHeaderSize = 16;
constexpr int BytesPerSample = 2;
constexpr int SampleValueMask = 0x0FFF;  // tenths of a dB in the low 12 bits
constexpr int RecordingOverhead = RecordingHeaderSize + 2;

// Flags of a recording.
constexpr std::uint8_t FlagFast = 0x01;
constexpr std::uint8_t FlagAWeighting = 0x02;
constexpr int FlagRangeShift = 2;
}  // namespace LoggerLayout

// What a recording's header says about it.
struct RecordingHeader {
    ClockFields start;
    int intervalSeconds = 1;
    std::uint8_t flags = 0;
};

std::uint8_t RecordingFlags(bool fast, bool aWeighting, std::uint8_t rangeCode);

// The meter's logger memory, kept true at every moment: the header page counts the
// recordings and points at the last used byte, and the recording being made always ends
// with its end marker and holds its current sample count.
class LoggerMemory {
public:
    LoggerMemory();  // empty, with the factory settings in the header page

    std::span<const std::uint8_t> Bytes() const { return bytes; }
    // Outside the memory a read gives 0xFF and a write does nothing.
    std::uint8_t Byte(int address) const;
    void SetByte(int address, std::uint8_t value);

    int SetCount() const;
    int MemoryEnd() const;
    int IntervalSetting() const;

    // Removes every recording; the settings in the header page stay.
    void Erase();

    // Starts a recording after the last one; false when not even one sample would fit.
    bool BeginRecording(const RecordingHeader& header);
    // Appends a sample to the recording begun last; false when the memory is full.
    bool AppendSample(int tenthsOfDb);
    void EndRecording() { recording = -1; }
    bool IsRecording() const { return recording >= 0; }

private:
    void SetSetCount(int count);
    void SetMemoryEnd(int end);
    void Put(int offset, std::uint32_t value, int width);
    bool Fits(int lastByte) const { return lastByte < LoggerLayout::MemorySize; }

    std::vector<std::uint8_t> bytes;
    int recording = -1;  // header offset of the recording being made
    int recordingEnd = 0;  // its last byte; kept here so a write into the header page cannot move it
};

#include "link/LoggerMemory.h"

#include "link/MeterBytes.h"
#include "link/MeterRange.h"

#include <algorithm>

using namespace LoggerLayout;

namespace {

constexpr std::uint8_t ErasedByte = 0xFF;
constexpr int FactoryInterval = 2;
constexpr std::int8_t FactoryCalibration94 = -3;
constexpr std::uint16_t FactoryCalibration70 = 0x01A4;

}  // namespace

std::uint8_t RecordingFlags(bool fast, bool aWeighting, std::uint8_t rangeCode)
{
    return static_cast<std::uint8_t>((fast ? FlagFast : 0) | (aWeighting ? FlagAWeighting : 0) |
                                     (RangeIndex(rangeCode) << FlagRangeShift));
}

LoggerMemory::LoggerMemory() : bytes(MemorySize, ErasedByte)
{
    std::fill_n(bytes.begin(), HeaderPageSize, 0);
    bytes[HeaderStartOffset] = HeaderStartMarker;
    bytes[HeaderEndOffset] = HeaderEndMarker;
    Put(IntervalOffset, FactoryInterval, 2);
    bytes[Calibration94Offset] = static_cast<std::uint8_t>(FactoryCalibration94);
    Put(Calibration70Offset, FactoryCalibration70, 2);
    Erase();
}

std::uint8_t LoggerMemory::Byte(int address) const
{
    return address >= 0 && address < MemorySize ? bytes[static_cast<std::size_t>(address)]
                                                : ErasedByte;
}

void LoggerMemory::SetByte(int address, std::uint8_t value)
{
    if (address >= 0 && address < MemorySize)
        bytes[static_cast<std::size_t>(address)] = value;
}

int LoggerMemory::SetCount() const { return static_cast<int>(ReadBigEndian(bytes, SetCountOffset, 2)); }

int LoggerMemory::MemoryEnd() const
{
    return static_cast<int>(ReadBigEndian(bytes, MemoryEndOffset, 3));
}

int LoggerMemory::IntervalSetting() const
{
    return static_cast<int>(ReadBigEndian(bytes, IntervalOffset, 2));
}

void LoggerMemory::Erase()
{
    std::fill(bytes.begin() + HeaderPageSize, bytes.end(), ErasedByte);
    SetSetCount(0);
    SetMemoryEnd(EmptyMemoryEnd);
    recording = -1;
}

bool LoggerMemory::BeginRecording(const RecordingHeader& header)
{
    // A stray value written into the header page must not send a recording outside the memory.
    const int start = std::max(MemoryEnd(), EmptyMemoryEnd) + 1;
    if (!Fits(start + RecordingOverhead + BytesPerSample - 1))
        return false;
    const ClockFields& t = header.start;
    const int timeFields[] = {t.year % 100, t.month, t.day, t.hour, t.minute, t.second};
    std::fill_n(bytes.begin() + start, RecordingHeaderSize, 0);
    std::copy(RecordingStartMarker.begin(), RecordingStartMarker.end(), bytes.begin() + start);
    for (int i = 0; i < 6; ++i)
        bytes[static_cast<std::size_t>(start + RecordingTimeOffset + i)] = ToBcd(timeFields[i]);
    bytes[static_cast<std::size_t>(start + RecordingIntervalOffset)] =
        static_cast<std::uint8_t>(header.intervalSeconds);
    Put(start + RecordingCountOffset, 0, 3);
    bytes[static_cast<std::size_t>(start + RecordingFlagsOffset)] = header.flags;
    const int endMarker = start + RecordingHeaderSize;
    std::copy(RecordingEndMarker.begin(), RecordingEndMarker.end(), bytes.begin() + endMarker);
    SetSetCount(SetCount() + 1);
    recording = start;
    recordingEnd = endMarker + 1;
    SetMemoryEnd(recordingEnd);
    return true;
}

bool LoggerMemory::AppendSample(int tenthsOfDb)
{
    // The new sample takes the end marker's place and the marker moves behind it.
    const int sample = recordingEnd - 1;
    if (recording < 0 || !Fits(sample + BytesPerSample + 1))
        return false;
    Put(sample, static_cast<std::uint32_t>(std::clamp(tenthsOfDb, 0, SampleValueMask)), 2);
    std::copy(RecordingEndMarker.begin(), RecordingEndMarker.end(),
              bytes.begin() + sample + BytesPerSample);
    const int count = static_cast<int>(ReadBigEndian(bytes, recording + RecordingCountOffset, 3));
    Put(recording + RecordingCountOffset, static_cast<std::uint32_t>(count + 1), 3);
    recordingEnd = sample + BytesPerSample + 1;
    SetMemoryEnd(recordingEnd);
    return true;
}

void LoggerMemory::SetSetCount(int count) { Put(SetCountOffset, static_cast<std::uint32_t>(count), 2); }

void LoggerMemory::SetMemoryEnd(int end) { Put(MemoryEndOffset, static_cast<std::uint32_t>(end), 3); }

void LoggerMemory::Put(int offset, std::uint32_t value, int width)
{
    PutBigEndian(bytes, static_cast<std::size_t>(offset), value, static_cast<std::size_t>(width));
}

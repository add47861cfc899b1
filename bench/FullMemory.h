#pragma once
// Logger memories for the benchmarks: recordings of levels on a slow sine, each with its own
// start, interval and flags. A full memory is 128 KiB holding 200 recordings of 318 samples
// (63,600 in all).
#include "link/LoggerMemory.h"
#include "link/MemoryImage.h"

#include <cmath>
#include <cstdint>
#include <vector>

constexpr int FullMemoryRecordings = 200;
constexpr int FullMemorySamplesEach = 318;

// Adds the recordings to the memory, starting in March of year.
inline void AddRecordings(LoggerMemory& memory, int recordings, int samplesEach, int year)
{
    int n = 0;
    for (int r = 0; r < recordings; ++r) {
        memory.BeginRecording({{year, 3, 1 + r % 28, r % 24, r % 60, 0}, 1 + r % 60,
                               static_cast<std::uint8_t>(r & 0x0F)});
        for (int k = 0; k < samplesEach; ++k, ++n)
            memory.AppendSample(static_cast<int>(600 + 300 * std::sin(n * 0.01)));
        memory.EndRecording();
    }
}

// The image a download of such a memory gives.
inline std::vector<std::uint8_t> MemoryOf(int recordings, int samplesEach)
{
    LoggerMemory memory;
    AddRecordings(memory, recordings, samplesEach, 2023);
    const auto bytes = memory.Bytes();
    return {bytes.begin(), bytes.begin() + DownloadLength(memory.MemoryEnd())};
}

inline std::vector<std::uint8_t> FullMemory()
{
    return MemoryOf(FullMemoryRecordings, FullMemorySamplesEach);
}

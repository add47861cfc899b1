#pragma once
#include <cstdint>

class LoggerMemory;

// Stores a few recordings such as a meter brings back from the field: different places,
// intervals, weightings, ranges and lengths, with levels reproducible from the seed.
void RecordSampleRecordings(LoggerMemory& memory, std::uint32_t seed);

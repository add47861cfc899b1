#pragma once
#include "logger/DataSetTable.h"

#include <cstdint>
#include <optional>
#include <span>

// Results of decoding a logger memory.
namespace DecodeResult {
constexpr int Decoded = 0;
constexpr int NoDataSets = 31;          // the header counts no recordings
constexpr int TooManyDataSets = 32;     // the header counts more than MaxDataSets
constexpr int MarkerMisplaced = 33;     // a start or end marker is not where expected
constexpr int EndBeyondMemoryEnd = 34;  // a recording ends beyond the last used byte
// A start time could not be stored. Callers count it as usable; this decoder never returns
// it, as unreadable start times are repaired from the clock without a report.
constexpr int StartTimeFailed = 35;
}  // namespace DecodeResult

constexpr int MaxDataSets = 4000;

struct DecodedMemory {
    int result = DecodeResult::Decoded;
    std::optional<DataSetTable> table;  // present for every result but 31 and 32
    std::int64_t samplesHeld = 0;       // samples of the table whose bytes the image holds
};

// Decodes the recordings of a logger memory image. memoryEnd is the last used byte as the
// header announced it; now (days, local time) stands in for unreadable start-time fields.
// Never reads outside the image. A recording keeps the sample count it stores (or the one
// its end marker shows), bounded by what a logger memory can hold from where it starts; its
// samples past the image's end are empty (level 0). So a download, the working file and a
// collection, which hold the same memory in different lengths, decode to the same table.
// Whether the table is worth showing is UseOfDecodedMemory's to say.
DecodedMemory DecodeMemoryImage(std::span<const std::uint8_t> image, int memoryEnd, double now);

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

// 0, 33, 34 and 35 come with data worth showing; 31 and 32 leave the previous table as it was.
bool IsUsableDecodeResult(int result);

struct DecodedMemory {
    int result = DecodeResult::Decoded;
    std::optional<DataSetTable> table;  // present exactly for the usable results
};

// Decodes the recordings of a logger memory image. memoryEnd is the last used byte as the
// header announced it; now (days, local time) stands in for unreadable start-time fields.
// Never reads outside the image; a recording whose samples run past the image's end keeps
// only the samples the image holds.
DecodedMemory DecodeMemoryImage(std::span<const std::uint8_t> image, int memoryEnd, double now);

#include "FuzzEntries.h"

#include "files/CollectionFile.h"
#include "link/LoggerMemory.h"
#include "link/MemoryImage.h"
#include "logger/DecodeMemoryImage.h"

#include <cmath>
#include <cstring>

namespace {

// An afternoon in 2023 stands in for the clock.
constexpr double Now = 45000.5;

bool IsStoredLevel(float level) { return level == 0.0f || (level >= 20.0f && level <= 140.0f); }

void Decode(FuzzInput image, int memoryEnd)
{
    const DecodedMemory decoded = DecodeMemoryImage(image, memoryEnd, Now);
    FuzzCheck(decoded.table.has_value()
                  == (decoded.result != DecodeResult::NoDataSets && decoded.result != DecodeResult::TooManyDataSets),
              "a table comes with every result but 31 and 32");
    if (decoded.table) {
        FuzzCheck(decoded.table->sets.size() == static_cast<std::size_t>(ReadSetCount(image)),
                  "one set per recording the header counts");
        FuzzCheck(decoded.samplesHeld >= 0 && decoded.samplesHeld <= std::ssize(decoded.table->levels)
                      && decoded.samplesHeld <= static_cast<std::int64_t>(image.size() / 2),
                  "the samples held are samples of the table within the image");
        CheckDataSetTable(*decoded.table);
    }
}

}  // namespace

void CheckDataSetTable(const DataSetTable& table)
{
    FuzzCheck(table.sets.size() <= static_cast<std::size_t>(MaxDataSets), "at most 4000 sets");
    std::int64_t samples = 0;
    for (const DataSet& set : table.sets) {
        FuzzCheck(set.sampleCount >= 0, "no set has fewer than no samples");
        FuzzCheck(set.sampleCount == 0
                      || (set.maxIndex >= 0 && set.maxIndex < set.sampleCount && set.minIndex >= 0
                          && set.minIndex < set.sampleCount),
                  "the extremes are samples of their set");
        FuzzCheck(set.interval >= 0 && set.interval <= 60, "intervals lie within 0 to 60 s");
        FuzzCheck(std::isfinite(set.startTime), "a start time is a date-time");
        FuzzCheck(set.average >= 0.0 && set.average <= 140.0, "a mean lies within the levels");
        samples += set.sampleCount;
    }
    FuzzCheck(samples <= (LoggerLayout::MemorySize - LoggerLayout::HeaderPageSize) / LoggerLayout::BytesPerSample,
              "the sets claim no more samples than a logger memory holds");
    FuzzCheck(table.levels.size() == static_cast<std::size_t>(samples)
                  && table.times.size() == static_cast<std::size_t>(samples),
              "every set owns exactly its samples");
    for (const float level : table.levels)
        FuzzCheck(IsStoredLevel(level), "a level is 0 or within 20 to 140 dB");
}

void FuzzMemoryImage(FuzzInput data)
{
    const int memoryEnd = ReadMemoryEnd(data);
    Decode(data, memoryEnd);
    if (data.size() >= 5) {
        std::int32_t anyEnd = 0;
        std::memcpy(&anyEnd, data.data() + 1, sizeof anyEnd);
        Decode(data, anyEnd);
    }
    FuzzCheck(CollectionBytes(data).size() == memoryEnd + 257,
              "a collection holds memoryEnd + 257 bytes");
    const int length = DownloadLength(memoryEnd);
    FuzzCheck(length >= 256 && length <= 131072 && length % 32 == 0,
              "a download fetches whole blocks of the memory");
}

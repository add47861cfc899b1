#include "logger/DecodeMemoryImage.h"

#include "link/LoggerMemory.h"
#include "link/MeasurableLevel.h"
#include "link/MemoryImage.h"
#include "link/MeterBytes.h"
#include "link/MeterClock.h"

#include <algorithm>
#include <array>
#include <cstdint>

using namespace LoggerLayout;

namespace {

// A count field that straddles a 256-byte page boundary is not trusted: the end marker is
// searched for instead.
constexpr int PageSize = 256;
// The largest memory a header can describe (a 24-bit last byte) with the 256 bytes a
// collection file keeps after it. Nothing beyond can belong to a recording, and keeping
// within it keeps every offset in 32 bits.
constexpr std::size_t LargestImage = 0xFFFFFF + 257;
constexpr int LongestInterval = 60;
constexpr int IntervalForTooLong = 2;

class Image {
public:
    Image(std::span<const std::uint8_t> bytes, int memoryEnd)
        : bytes(bytes.first(std::min(bytes.size(), LargestImage))), memoryEnd(memoryEnd)
    {
    }

    std::int64_t Size() const { return static_cast<std::int64_t>(bytes.size()); }
    std::int64_t MemoryEnd() const { return memoryEnd; }

    // Bytes the image does not hold read as 0, which matches no marker.
    std::uint8_t Byte(std::int64_t offset) const
    {
        return offset >= 0 && offset < Size() ? bytes[static_cast<std::size_t>(offset)] : 0;
    }
    bool Holds(std::int64_t offset, int width) const { return offset >= 0 && offset + width <= Size(); }
    // A number the image does not hold whole reads as 0: a part of it is no number at all.
    std::uint32_t Number(std::int64_t offset, int width) const
    {
        return Holds(offset, width) ? ReadBigEndian(bytes, static_cast<std::size_t>(offset),
                                                    static_cast<std::size_t>(width))
                                    : 0;
    }
    bool HasMarker(std::int64_t offset, const std::array<std::uint8_t, 2>& marker) const
    {
        return offset >= 0 && offset + 1 < Size() && Byte(offset) == marker[0]
            && Byte(offset + 1) == marker[1];
    }

private:
    std::span<const std::uint8_t> bytes;
    std::int64_t memoryEnd;
};

// Finds the last byte of the first end marker on a sample boundary after a header, within
// both the used memory and the image. A search that finds nothing from p finds nothing from
// any later start of the same parity either, so a damaged header counting thousands of
// recordings over an empty memory costs two scans, not one per recording.
class EndMarkerSearch {
public:
    explicit EndMarkerSearch(const Image& image)
        : image(image), last(std::min(image.MemoryEnd(), image.Size() - 2))
    {
    }

    std::optional<std::int64_t> After(std::int64_t h)
    {
        const std::int64_t start = h + RecordingHeaderSize;
        std::int64_t& none = noneFrom[start % 2];
        if (start >= none)
            return std::nullopt;
        for (std::int64_t p = start; p <= last; p += BytesPerSample)
            if (image.HasMarker(p, RecordingEndMarker))
                return p + 1;
        none = start;
        return std::nullopt;
    }

private:
    const Image& image;
    std::int64_t last;
    std::int64_t noneFrom[2] = {INT64_MAX, INT64_MAX};
};

std::int64_t SamplesBefore(std::int64_t h, std::int64_t end)
{
    return std::max<std::int64_t>(0, (end - h - RecordingOverhead + 1) / BytesPerSample);
}

// The most samples a recording starting at h can have in a logger memory. A damaged count
// claims no more, and as each recording starts after the last one's end, the table as a
// whole never holds more samples than one memory can.
std::int64_t SamplesThatFit(std::int64_t h)
{
    return std::max<std::int64_t>(0, (MemorySize - h - RecordingOverhead) / BytesPerSample);
}

// Each BCD field that cannot be read is taken from the clock; an impossible date or time
// gives the clock's date-time as it is.
double StartTime(const Image& image, std::int64_t h, const ClockFields& clock, double now)
{
    const int fromClock[] = {clock.year, clock.month, clock.day,
                             clock.hour, clock.minute, clock.second};
    int fields[6];
    for (int i = 0; i < 6; ++i) {
        const std::uint8_t byte = image.Byte(h + RecordingTimeOffset + i);
        fields[i] = IsBcd(byte) ? FromBcd(byte) + (i == 0 ? 2000 : 0) : fromClock[i];
    }
    const ClockFields start{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    return DaysFromClockFields(start).value_or(now);
}

// Finds each recording's extent and reads its header. Returns the result code of the checks.
int LocateRecordings(const Image& image, int setCount, double now, std::vector<DataSet>& sets)
{
    const ClockFields clock = ClockFieldsFromDays(now);
    EndMarkerSearch search(image);
    int result = DecodeResult::Decoded;
    std::int64_t h = HeaderPageSize;
    for (int i = 0; i < setCount; ++i) {
        const std::int64_t storedCount = image.Number(h + RecordingCountOffset, 3);
        std::int64_t end = 0;
        std::int64_t count = 0;
        if ((h + RecordingCountOffset) % PageSize == PageSize - 1) {
            const auto found = search.After(h);
            end = found.value_or(h + RecordingHeaderSize);
            count = found ? SamplesBefore(h, end) : 0;
        } else {
            const std::int64_t e = BytesPerSample * storedCount + h + RecordingOverhead - 1;
            const bool countFits =
                e <= image.MemoryEnd() && image.HasMarker(e - 1, RecordingEndMarker);
            const auto found = countFits ? std::optional<std::int64_t>(e) : search.After(h);
            end = found.value_or(e);
            count = found ? SamplesBefore(h, end) : storedCount;
        }
        if (!image.HasMarker(h, RecordingStartMarker)
            || !image.HasMarker(end - 1, RecordingEndMarker))
            result = DecodeResult::MarkerMisplaced;
        if (end > image.MemoryEnd())
            result = DecodeResult::EndBeyondMemoryEnd;

        // The count stays what the recording says, whatever length of image it came in: a
        // download, the working file and a collection differ in length and must give the same
        // table. Its samples past the image are empty (ConvertSamples).
        DataSet set;
        set.headerOffset = static_cast<std::int32_t>(h);
        set.endOffset = static_cast<std::int32_t>(end);
        set.sampleCount = static_cast<std::int32_t>(std::min(count, SamplesThatFit(h)));
        set.flags = image.Byte(h + RecordingFlagsOffset);
        set.startTime = StartTime(image, h, clock, now);
        const int interval = image.Byte(h + RecordingIntervalOffset);
        set.interval = interval > LongestInterval ? IntervalForTooLong : interval;
        sets.push_back(set);
        h = end + 1;
    }
    return result;
}

// Converts every set's samples into the table's arrays. A sample the image does not hold
// whole is empty: level 0, as a level the meter could not measure. Returns how many samples
// the image held.
std::int64_t ConvertSamples(const Image& image, DataSetTable& table)
{
    std::int64_t held = 0;
    std::int64_t total = 0;
    for (const DataSet& set : table.sets)
        total += set.sampleCount;
    table.levels.reserve(static_cast<std::size_t>(total));
    table.times.reserve(static_cast<std::size_t>(total));
    for (DataSet& set : table.sets) {
        float highest = -99999.0f;
        float lowest = 99999.0f;
        double sum = 0.0;
        set.maxIndex = set.minIndex = 0;
        std::int64_t p = set.headerOffset + RecordingHeaderSize;
        for (std::int32_t k = 0; k < set.sampleCount; ++k, p += BytesPerSample) {
            float level = 0.0f;
            if (image.Holds(p, BytesPerSample)) {
                const int tenths = static_cast<int>(image.Number(p, BytesPerSample)) & SampleValueMask;
                level = static_cast<float>(tenths * 0.1);
                if (!IsMeasurableLevel(level))
                    level = 0.0f;
                ++held;
            }
            table.levels.push_back(level);
            table.times.push_back(SampleTime(set, k));
            sum += level;
            // Strict comparisons: the first of equal extremes is the one shown.
            if (level > highest) {
                highest = level;
                set.maxIndex = k;
            }
            if (level < lowest) {
                lowest = level;
                set.minIndex = k;
            }
        }
        set.average = set.sampleCount != 0 ? sum / set.sampleCount : 0.0;
    }
    return held;
}

}  // namespace

DecodedMemory DecodeMemoryImage(std::span<const std::uint8_t> image, int memoryEnd, double now)
{
    const int setCount = ReadSetCount(image);
    if (setCount == 0)
        return {DecodeResult::NoDataSets, std::nullopt};
    if (setCount > MaxDataSets)
        return {DecodeResult::TooManyDataSets, std::nullopt};
    const Image view(image, memoryEnd);
    DataSetTable table;
    table.sets.reserve(static_cast<std::size_t>(setCount));
    const int result = LocateRecordings(view, setCount, now, table.sets);
    const std::int64_t held = ConvertSamples(view, table);
    return {result, std::move(table), held};
}

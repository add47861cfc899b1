#include "logger/UseOfDecodedMemory.h"

#include "GoldenMemory.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Golden(const char* name, std::size_t keep = SIZE_MAX)
{
    std::vector<std::uint8_t> image = ReadHexImage(name);
    image.resize(std::min(image.size(), keep));
    return image;
}

// One recording started and stopped before its first sample: the meter keeps it, empty.
std::vector<std::uint8_t> RecordingWithoutSamples()
{
    std::vector<std::uint8_t> image = Golden("memory_three_samples.hex");
    image[13] = 0x11;                  // memoryEnd 273
    image[269] = 0x00;                 // 0 samples
    image[272] = 0x5A;                 // the end marker right after the header
    image[273] = 0xA5;
    return image;
}

TEST(UseOfDecodedMemory, UsableOnlyWithASampleTheImageHolds)
{
    struct Case {
        const char* what;
        std::vector<std::uint8_t> image;
        DecodedUse use;
    } cases[] = {
        {"no recordings", Golden("memory_no_sets.hex"), DecodedUse::NoDataSets},
        {"4001 recordings", Golden("memory_4001_sets.hex"), DecodedUse::CannotBeDecoded},
        {"a whole recording", Golden("memory_three_samples.hex"), DecodedUse::Usable},
        {"damaged markers, samples kept", Golden("memory_damaged_markers.hex"), DecodedUse::Usable},
        {"cut off before its end marker", Golden("memory_interrupted.hex"), DecodedUse::Usable},
        {"a file cut to its header page and two bytes", Golden("memory_three_samples.hex", 258),
         DecodedUse::NoSamples},
        {"a file cut after the recording's header", Golden("memory_three_samples.hex", 273),
         DecodedUse::NoSamples},
        {"a file cut after the first sample", Golden("memory_three_samples.hex", 274), DecodedUse::Usable},
        {"a recording without samples", RecordingWithoutSamples(), DecodedUse::NoSamples},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(UseOfDecodedMemory(DecodeMemoryImage(c.image, ReadMemoryEnd(c.image), TestNow)), c.use);
    }
}

}  // namespace

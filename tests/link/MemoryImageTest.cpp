#include "link/MemoryImage.h"

#include "HexImage.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryImage, DownloadLengthIsTheUsedMemoryInWholeBlocks)
{
    struct Case { std::int64_t memoryEnd; int length; } cases[] = {
        {255, 256},        // an empty memory: the header page
        {279, 288},        // rounded up to 32
        {287, 288},        // already whole
        {1000, 1024},
        {131071, 131072},  // a full memory
        {254, 131072},     // less than the header page is implausible: everything
        {0, 131072},
        {131072, 131072},  // more than the memory
        {0xFFFFFF, 131072},
        {-1, 131072},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DownloadLength(c.memoryEnd), c.length) << c.memoryEnd;
}

TEST(MemoryImage, SetCountAndMemoryEndComeFromTheHeader)
{
    const std::vector<std::uint8_t> image = ReadHexImage("memory_page_boundary.hex");
    EXPECT_EQ(ReadSetCount(image), 3);
    EXPECT_EQ(ReadMemoryEnd(image), 545);
    // The first 32 bytes alone, the download's first answer, say the same.
    const std::span<const std::uint8_t> answer(image.data(), 32);
    EXPECT_EQ(ReadSetCount(answer), 3);
    EXPECT_EQ(ReadMemoryEnd(answer), 545);
    // Bytes that are not there read as 0.
    EXPECT_EQ(ReadSetCount(std::span<const std::uint8_t>(image.data(), 10)), 0);
    EXPECT_EQ(ReadMemoryEnd(std::span<const std::uint8_t>(image.data(), 13)), 0x0200);
    EXPECT_EQ(ReadMemoryEnd({}), 0);
}

}  // namespace

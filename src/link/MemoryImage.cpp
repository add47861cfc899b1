#include "link/MemoryImage.h"

#include "link/LoggerMemory.h"
#include "link/MeterBytes.h"

namespace {

constexpr int BlockSize = 32;

}  // namespace

int ReadSetCount(std::span<const std::uint8_t> image)
{
    return static_cast<int>(ReadBigEndian(image, LoggerLayout::SetCountOffset, 2));
}

int ReadMemoryEnd(std::span<const std::uint8_t> image)
{
    return static_cast<int>(ReadBigEndian(image, LoggerLayout::MemoryEndOffset, 3));
}

int DownloadLength(std::int64_t memoryEnd)
{
    std::int64_t length = memoryEnd + 1;
    if (length > LoggerLayout::MemorySize || length < LoggerLayout::HeaderPageSize)
        length = LoggerLayout::MemorySize;
    return static_cast<int>((length + BlockSize - 1) / BlockSize * BlockSize);
}

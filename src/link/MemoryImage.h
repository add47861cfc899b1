#pragma once
#include <QByteArray>

#include <cstdint>
#include <span>

// The logger memory as downloaded: the header page, then the recordings. The first 32 bytes
// are also the meter's answer to the start of a download, so these read either.

// Bytes the image does not hold read as 0.
int ReadSetCount(std::span<const std::uint8_t> image);
// The index of the last used memory byte.
int ReadMemoryEnd(std::span<const std::uint8_t> image);

// How many bytes a download fetches for a memory whose last used byte is memoryEnd: the used
// bytes in whole 32-byte blocks, the whole memory when memoryEnd is implausible.
int DownloadLength(std::int64_t memoryEnd);

inline std::span<const std::uint8_t> ImageBytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

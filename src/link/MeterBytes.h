#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// Byte forms of the meter's data: clock fields in BCD, numbers big-endian.

constexpr std::uint8_t ToBcd(int value)
{
    return static_cast<std::uint8_t>((value / 10 % 10) * 16 + value % 10);
}

constexpr bool IsBcd(std::uint8_t byte) { return (byte >> 4) <= 9 && (byte & 0x0F) <= 9; }

constexpr int FromBcd(std::uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

// Writes the low `width` bytes of value at bytes[offset], most significant first;
// nothing outside the span is touched.
inline void PutBigEndian(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value,
                         std::size_t width)
{
    for (std::size_t i = 0; i < width && offset + i < bytes.size(); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * (width - 1 - i)));
}

// Reads `width` bytes at bytes[offset] as a big-endian number; bytes outside the span read as 0.
inline std::uint32_t ReadBigEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                                   std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = (value << 8) | (offset + i < bytes.size() ? bytes[offset + i] : 0u);
    return value;
}

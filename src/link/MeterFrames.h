#pragma once
#include <array>
#include <cstdint>

// The 7-byte command written to the meter and the 32-byte reply read back.
// The link session holds the buffers the main window's sequences share.
using CommandFrame = std::array<std::uint8_t, 7>;
using ReplyFrame = std::array<std::uint8_t, 32>;

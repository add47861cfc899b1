#pragma once
#include <array>
#include <cstdint>

// The 7-byte command written to the meter and the 32-byte reply read back.
// The buffers live in AppState; the link layer defines what goes into them.
using CommandFrame = std::array<std::uint8_t, 7>;
using ReplyFrame = std::array<std::uint8_t, 32>;

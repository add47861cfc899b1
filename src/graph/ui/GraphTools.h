#pragma once
#include <cstdint>

// Tool modes of a graph window.
constexpr std::int32_t NormalPointer = -99;
constexpr std::int32_t PlaceText = 0;
constexpr std::int32_t PlaceCross = 2;

// A graph window's cursors and tools: the points under cursors A and B, the tool a click
// uses, and the index of the last mark placed.
struct GraphTools {
    std::int32_t CursorA = 0;
    std::int32_t CursorB = 0;
    std::int32_t ToolMode = NormalPointer;
    std::int32_t LastAnnotation = 4;
};

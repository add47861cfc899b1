#pragma once
#include <cstdint>

// Tool modes of the graph windows.
constexpr std::int32_t NormalPointer = -99;
constexpr std::int32_t PlaceText = 0;
constexpr std::int32_t PlaceCross = 2;

// One record for the whole program, shared by every graph window, so the cursor indices
// and the annotation counter carry over from one window to the next.
struct GraphToolRecord {
    std::int32_t CursorA = 0;
    std::int32_t CursorB = 0;
    std::int32_t ToolMode = NormalPointer;
    std::int32_t LastAnnotation = 4;
};

extern GraphToolRecord GraphToolState;

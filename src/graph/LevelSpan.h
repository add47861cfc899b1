#pragma once
#include <span>

// The level scale of a graph that scales to its data: from its quietest measurable level
// rounded down to 10 dB to its loudest rounded up, at least 20 dB apart so that a steady level
// is no flat line along an edge. 30 to 130 dB, the fixed scale, when no level is measurable.
struct LevelSpan {
    float bottom = 30.0f;
    float top = 130.0f;
};

LevelSpan LevelSpanOf(std::span<const float> levels);

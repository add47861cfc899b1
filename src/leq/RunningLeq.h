#pragma once
#include <cstdint>
#include <span>
#include <vector>

// The LEQ of the first n values, folded in one value at a time with equal weights: x is the
// n-th value and previous the LEQ of the first n - 1. n = 1 (or less) gives x itself. A step
// whose power or logarithm fails keeps previous.
float RunningLeq(std::int32_t n, float previous, float x);

// The running LEQ at every point of a series of levels, one result per point. An empty point
// (EmptyLevel, or a value that is not a number) is no level: it gives EmptyLevel, so the LEQ
// curve has a gap where the levels have one, and it is not counted, so the last LEQ is that of
// the levels alone.
std::vector<float> CalLeqSeries(std::span<const float> levels);

#pragma once
#include <cstdint>
#include <span>
#include <vector>

// The LEQ of the first n values, folded in one value at a time with equal weights: x is the
// n-th value and previous the LEQ of the first n - 1. n = 1 (or less) gives x itself. A step
// whose power or logarithm fails keeps previous.
float RunningLeq(std::int32_t n, float previous, float x);

// The running LEQ at every point of a series of levels, one result per point. A point that
// holds no measurement (an empty point, a sample the meter stored as 0 below its range: anything
// outside 20-140 dB or not a number) gives EmptyLevel, so the LEQ curve has a gap there, and it is
// not counted, so the last LEQ is that of the measured levels alone, as the noise metrics have it.
std::vector<float> CalLeqSeries(std::span<const float> levels);

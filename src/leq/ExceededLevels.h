#pragma once
#include <span>

// The levels exceeded for N % of the samples, by nearest rank: sorted from high to low, the
// one at position ceil(N / 100 x n) counting from 1. out[k] receives the level for
// percents[k] (each 1 to 100); levels must not be empty and are reordered.
void ExceededLevels(std::span<float> levels, std::span<const int> percents, std::span<double> out);

#pragma once
#include "recording/Recording.h"
#include "shell/Formats.h"

#include <vector>

// A recording of levels stepSeconds apart from start, with no facts beyond its points, as a
// graph file or a list gives one.
inline Recording LevelsFrom(double start, double stepSeconds, const std::vector<float>& levels)
{
    Recording recording;
    recording.start = start;
    for (std::size_t i = 0; i < levels.size(); ++i)
        recording.times.push_back(start + static_cast<double>(i) * stepSeconds * OneSecond);
    recording.levels = levels;
    return recording;
}

#include "recording/CalibrationOffset.h"

#include "link/MeasurableLevel.h"

#include <algorithm>

void ApplyCalibrationOffset(std::span<float> levels, double offsetDb)
{
    if (offsetDb == 0.0)
        return;
    for (float& level : levels)
        if (IsMeasurableLevel(level))
            level = static_cast<float>(std::clamp(level + offsetDb, LowestMeasurableDb, HighestMeasurableDb));
}

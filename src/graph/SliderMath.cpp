#include "graph/SliderMath.h"

#include <algorithm>
#include <cstdint>

int ClampSliderValue(int value, int minimum, int maximum)
{
    if (value < minimum)
        return minimum;
    if (value > maximum)
        return maximum;
    return value;
}

int ThumbOffset(int trackLength, int thumbHeight, int value, int minimum, int maximum)
{
    const std::int64_t span = static_cast<std::int64_t>(maximum) - minimum;
    if (span <= 0)
        return 0;
    return static_cast<int>(static_cast<std::int64_t>(trackLength - thumbHeight)
                            * (static_cast<std::int64_t>(value) - minimum) / span);
}

int DraggedValue(int startValue, int delta, int minimum, int maximum, int trackLength,
                 int thumbHeight)
{
    const std::int64_t travel = trackLength - thumbHeight;
    if (travel <= 0)
        return startValue;
    const std::int64_t moved =
        static_cast<std::int64_t>(delta) * (static_cast<std::int64_t>(maximum) - minimum) / travel;
    return static_cast<int>(std::clamp<std::int64_t>(startValue + moved, INT32_MIN, INT32_MAX));
}

SliderFrame SliderFrameFor(int points)
{
    return {0, std::max(points - 1, 0), points / 3, 2 * points / 3};
}

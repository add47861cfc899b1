#include "graph/SamplingRate.h"

#include "shell/Formats.h"

QString RateSelectionText(float rate)
{
    static const float limits[][2] = {{1.5f, 1}, {2.5f, 2}, {5.5f, 5}, {10.5f, 10}, {20.5f, 20}, {30.5f, 30}};
    for (const auto& limit : limits) {
        if (rate < limit[0])
            return OneDecimalText(limit[1]);
    }
    return {};
}

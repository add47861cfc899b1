#include "graph/GraphBoxes.h"

#include "graph/GraphStatistics.h"
#include "shell/Formats.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MsPerDay = 86400000.0;

}  // namespace

double WithoutMilliseconds(double days)
{
    if (!std::isfinite(days))
        return days;
    const double whole = std::floor(days);
    const long long ms = std::llround((days - whole) * MsPerDay);
    return whole + static_cast<double>(ms - ms % 1000) / MsPerDay;
}

StatisticBoxes WholeGraphBoxes(const double* times, const float* levels, int count, double recordedSeconds)
{
    StatisticBoxes boxes;
    const GraphStatistics s = ComputeGraphStatistics(times, levels, count);
    if (s.count == 0) {
        boxes.dataNo = QStringLiteral("0");
        return boxes;
    }
    boxes.startTime = DateTimeText(times[0]);
    boxes.samplingRate = recordedSeconds > 0.0 ? QString::number(recordedSeconds) : OneDecimalText(s.intervalSeconds);
    boxes.dataNo = QString::number(s.count);
    boxes.avgAll = s.average ? OneDecimalText(*s.average) : QString();
    boxes.max = OneDecimalText(s.maximum);
    boxes.maxTime = s.maximumIndex >= 0 ? DateTimeText(times[s.maximumIndex]) : QString();
    boxes.min = OneDecimalText(s.minimum);
    boxes.minTime = s.minimumIndex >= 0 ? DateTimeText(times[s.minimumIndex]) : QString();
    return boxes;
}

StatisticBoxes GraphBoxes(const double* times, const float* levels, int count, int cursorA, int cursorB,
                          double recordedSeconds)
{
    StatisticBoxes boxes = WholeGraphBoxes(times, levels, count, recordedSeconds);
    if (count <= 0)
        return boxes;
    const int a = std::clamp(cursorA, 0, count - 1);
    const int b = std::clamp(cursorB, 0, count - 1);
    boxes.cursorA = OneDecimalText(levels[a]);
    boxes.cursorATime = DateTimeText(times[a]);
    boxes.cursorB = OneDecimalText(levels[b]);
    boxes.cursorBTime = DateTimeText(times[b]);
    const CursorStatistics s = ComputeCursorStatistics(times, levels, count, a, b);
    if (s.empty)
        return boxes;
    boxes.avgAB = s.average ? OneDecimalText(*s.average) : QString();
    boxes.maxAB = OneDecimalText(s.maximum);
    boxes.maxABTime = DateTimeText(WithoutMilliseconds(s.maximumTime));
    boxes.minAB = OneDecimalText(s.minimum);
    boxes.minABTime = DateTimeText(WithoutMilliseconds(s.minimumTime));
    return boxes;
}

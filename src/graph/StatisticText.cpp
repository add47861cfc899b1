#include "graph/StatisticText.h"

QString StatisticText(const StatisticBoxes& b)
{
    const QString at = QStringLiteral("@");
    return QStringLiteral("Start Time:") + b.startTime + u'\n'
        + QStringLiteral("Sampling Rate:") + b.samplingRate + u'\n'
        + QStringLiteral("DataNo:") + b.dataNo + u'\n'
        + QStringLiteral("Avg.:") + b.avgAll + u'\n'
        + QStringLiteral("Maximum:") + b.max + at + b.maxTime + u'\n'
        + QStringLiteral("Minimum:") + b.min + at + b.minTime + u'\n'
        + QStringLiteral("Cursor A:") + b.cursorA + at + b.cursorATime + u'\n'
        + QStringLiteral("Cursor B:") + b.cursorB + at + b.cursorBTime + u'\n'
        + QStringLiteral("Max.Between A and B:") + b.maxAB + at + b.maxABTime + u'\n'
        + QStringLiteral("Min.Between A and B:") + b.minAB + at + b.minABTime + u'\n'
        + QStringLiteral("Avg. Between A and B:") + b.avgAB + u'\n';
}

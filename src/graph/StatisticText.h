#pragma once
#include <QString>

// The box texts of a graph window, as "Export Statistic" copies them.
struct StatisticBoxes {
    QString startTime, samplingRate, dataNo, avgAll;
    QString max, maxTime, min, minTime;
    QString cursorA, cursorATime, cursorB, cursorBTime;
    QString maxAB, maxABTime, minAB, minABTime, avgAB;
};

// Eleven lines, each ending in a line feed.
QString StatisticText(const StatisticBoxes& boxes);

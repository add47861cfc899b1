#pragma once
#include <QRectF>

class QPainter;
struct ReportChart;

// Draws a report page's time history into a box of the painter's device: a level axis in dB,
// a time axis with the time and the date, a dotted grid, the levels as a line with gaps, the
// second curve when there is one, the shaded spans, the marks and the cursors.
void DrawReportChart(QPainter& painter, const QRectF& box, const ReportChart& chart);

// The step between time ticks, in seconds, for a span of spanSeconds: a round step that gives
// at most maxTicks ticks.
double TimeTickStepSeconds(double spanSeconds, int maxTicks);

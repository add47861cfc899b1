#pragma once
#include <QString>

class QPainter;
class TfrmGraph;

// Draws the report of one graph window on an A4 portrait page that fills the painter's
// device: its caption, start time, interval, weighting and response where known, the chart
// as vector graphics with its annotations, the statistics boxes' texts and the noise
// metrics. The parts of cursors A and B appear when the window shows its cursor statistics.
// footer: the line under the page's notes, such as "Page 1 of 3".
void DrawReportPage(QPainter& painter, TfrmGraph& graph, const QString& footer);

#pragma once
#include <QString>

class QPainter;
struct ReportPage;

// Draws a report page on an A4 portrait page that fills the painter's device: its title and
// facts, the time history with its marks, the statistics boxes' texts and the noise metrics;
// the parts of cursors A and B when the page has them. footer: the line under the page's
// notes, such as "Page 1 of 3".
void DrawReportPage(QPainter& painter, const ReportPage& page, const QString& footer);

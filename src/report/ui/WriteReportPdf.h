#pragma once
#include <QString>

#include <functional>

class QIODevice;
class TfrmGraph;

// Writes a report of graph windows to a PDF file, one A4 page each, atomically: a file that
// cannot be finished leaves any earlier one whole. graphOfPage(i) makes a window show what
// page i (0..pages-1) reports and returns it, so one window can serve every page. False with
// a message naming the file.
bool WriteReportPdf(const QString& path, int pages, const std::function<TfrmGraph&(int)>& graphOfPage,
                    QString* error);
// The same into an open device; false when the PDF could not be written.
bool WriteReportPdf(QIODevice& out, int pages, const std::function<TfrmGraph&(int)>& graphOfPage);

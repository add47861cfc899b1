#pragma once
#include <QString>

#include <functional>
#include <vector>

class QIODevice;
struct ReportPage;

// Writes report pages as a PDF, one A4 page each, into out; false when the PDF could not be
// written.
bool WriteReportPdf(QIODevice& out, const std::vector<ReportPage>& pages);

// The same into a file, atomically: a file that cannot be finished leaves any earlier one
// whole. False with a message naming the file.
bool WriteReportPdf(const QString& path, const std::vector<ReportPage>& pages, QString* error);

// A PDF that write puts into a device, saved into a file atomically; false with a message
// naming the file.
bool SavePdf(const QString& path, const std::function<bool(QIODevice&)>& write, QString* error);

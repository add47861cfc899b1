#pragma once
#include <QString>

#include <vector>

struct ReportPage;

// Writes report pages to a PDF file, one A4 page each, atomically: a file that cannot be
// finished leaves any earlier one whole. False with a message naming the file.
bool WriteReportPdf(const QString& path, const std::vector<ReportPage>& pages, QString* error);

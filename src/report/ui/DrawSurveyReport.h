#pragma once
#include <QString>

class QIODevice;
class QPainter;
struct ReportSheet;
struct SurveyReport;

// Draws one page of a survey's report on an A4 portrait page that fills the painter's device:
// the header (the report's), its parts as laid out, and the footer (such as "Page 2 of 7").
void DrawSurveyReportPage(QPainter& painter, const ReportSheet& page, const QString& header, const QString& footer);

// Writes a survey's report as a PDF into out, "Page n of N" under every page; false when the
// PDF could not be written.
bool WriteSurveyReportPdf(QIODevice& out, const SurveyReport& report);

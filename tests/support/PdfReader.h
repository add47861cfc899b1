#pragma once
#include <QImage>
#include <QString>

#include <vector>

// A PDF file as a reader opens it, through poppler's tools (pdfinfo and pdftoppm from
// poppler-utils, which scripts/setup.sh installs). A file the tools reject, or tools that
// are missing, fail the running test.

// The number of pages; 0 when the file does not open.
int PdfPageCount(const QString& path);
// Page 1.. drawn at the given resolution; a null image when it cannot be drawn.
QImage RenderPdfPage(const QString& path, int page, int dpi);
// The words of page 1.., each with the top of its box in points, in reading order.
struct PdfWord {
    QString text;
    double top = 0.0;
};
std::vector<PdfWord> PdfWords(const QString& path, int page);

// The text of every page as pdftotext -layout extracts it (a table's row on one line); empty
// when the file does not open.
QString PdfText(const QString& path);

#pragma once
#include "survey/ReportTable.h"

#include <QString>

// A report table as the Analysis window shows and copies it: figures with one decimal in the
// user's locale, counts whole, texts as they are, nothing where no value is given; and headings
// in words with their units.
QString ShownCell(const ReportCell& cell);
QString ColumnHeading(const ReportTable& table, qsizetype column);
// Whether the window shows a column (some are kept in the CSV and the JSON only).
bool ColumnShown(const ReportTable& table, qsizetype column);
// The shown columns' headings and every row as TAB-separated lines for a spreadsheet, each
// ending in a line feed.
QString TableCopyText(const ReportTable& table);

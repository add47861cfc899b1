#pragma once
#include "survey/ReportTable.h"

#include <QString>

// A report table as the Analysis window shows and copies it: figures with one decimal in the
// user's locale, counts whole, texts as they are, nothing where no value is given; and headings
// in words with their units.
QString ShownCell(const ReportCell& cell);
QString ColumnHeading(const QString& column);
// The headings and every row as TAB-separated lines for a spreadsheet, each ending in a line feed.
QString TableCopyText(const ReportTable& table);

#pragma once
#include "report/ReportBlocks.h"
#include "survey/ReportTable.h"

#include <QHash>
#include <QString>

// A column of the survey's tables, described once for every output: its name in the CSV and
// the JSON, its heading with its unit in the Analysis window and the text copied from it, and
// its heading and width in the PDF report (where the unit stands in the table's heading).
struct TableColumn {
    QString name;           // "leq_db"
    QString heading;        // "Leq (dB)"
    QString printed;        // "Leq"
    double width = 1.0;     // of the PDF table's width, in parts
    QString printedPrefix;  // before each printed cell: "E" numbers the events E1, E2, ...
    bool shown = true;      // false: kept in the CSV and the JSON for the scripts that read it, no more
};

// The description of a column by its name; a column not described shows its name.
TableColumn ColumnOf(const QString& name);

// A table's shown columns as the PDF prints them, under heading: the printed headings (the
// table's own where it has them), widths and cells (figures with one decimal, "\u2013" where no
// value is given).
ReportGrid PrintedGrid(const ReportTable& table, const QString& heading);

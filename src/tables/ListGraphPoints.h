#pragma once
#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

// The points a list window's rows give a graph. Row 0 holds the headings, rows 1.. the data.
// By default a row's time is its date and time texts (columns 1 and 2) in the user's formats,
// and its level the number in column 3, or in column 4 when that column's heading is "LEQ".
// A list read from one of the program's own CSV files names its columns: the column headed
// "time" holds an ISO date-time, the one headed "level_db" the level, and where a column is
// headed "record" (a watch log) only the rows of the record "reading" hold levels.
// A row whose time or level does not read is no point: it is left out and counted, so that the
// chart, its statistics and its metrics all work on the same points.
struct ListGraphPoints {
    std::vector<double> times;
    std::vector<float> levels;
    int skipped = 0;
    int firstSkippedRow = 0;  // the list row of the first one left out; 0 when none was
    QString firstSkippedReason;
};

ListGraphPoints ReadListGraphPoints(const std::vector<QStringList>& rows, const QLocale& locale = QLocale());

#pragma once
#include <QString>
#include <QStringList>

#include <vector>

// A table printed as plain text, one grid row per line, in a fixed-pitch font.

// The printed line of one grid row: its first `columns` cells, each followed by two blanks for
// every character it is shorter than its column's width (17 characters for the time in column 2,
// 10 for the others), and by two blanks when it is as long or longer, so that no cell runs into
// the next; no cell is cut.
QString TablePrintoutLine(const QStringList& row, int columns);

// The columns a printout holds: every one up to the last that holds a text in some row, at most
// the grid's `columns`.
int PrintedColumns(const std::vector<QStringList>& rows, int columns);

struct PrintedLine {
    QString text;
    int y = 0;  // top of the text, in device pixels from the page's printable top
};
using PrintedPage = std::vector<PrintedLine>;

// The pages of a table printout of rows (the heading row first) of a grid of `columns`
// columns, each printed with its PrintedColumns, at line height h on pages of the given
// printable height: L = pageHeight / h lines a page (at least one), a new page
// before row i when i > 0 and i mod L = 0, and row i at y = (i mod L) * h + h. So a page
// starts one line below its top, and its last line reaches below the printable height by up
// to one line: the printout has always been laid out so.
std::vector<PrintedPage> LayOutTablePrintout(const std::vector<QStringList>& rows, int columns,
                                             int lineHeight, int pageHeight);

#pragma once
#include <QString>
#include <QStringList>

#include <vector>

// A table printed as plain text, one grid row per line, in a fixed-pitch font.

// The printed line of one grid row: every column but the last, each cell followed by two
// blanks for every character it is shorter than its column's width (17 characters for the
// time in column 2, 10 for the others); a longer cell is neither padded nor cut.
QString TablePrintoutLine(const QStringList& row, int columns);

struct PrintedLine {
    QString text;
    int y = 0;  // top of the text, in device pixels from the page's printable top
};
using PrintedPage = std::vector<PrintedLine>;

// The pages of a table printout of rows (the heading row first) at line height h on pages
// of the given printable height: L = pageHeight / h lines a page (at least one), a new page
// before row i when i > 0 and i mod L = 0, and row i at y = (i mod L) * h + h. So a page
// starts one line below its top, and its last line reaches below the printable height by up
// to one line: the printout has always been laid out so.
std::vector<PrintedPage> LayOutTablePrintout(const std::vector<QStringList>& rows, int columns,
                                             int lineHeight, int pageHeight);

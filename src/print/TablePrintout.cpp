#include "print/TablePrintout.h"

#include <algorithm>

namespace {

int ColumnWidth(int column)
{
    return column == 2 ? 17 : 10;
}

}  // namespace

QString TablePrintoutLine(const QStringList& row, int columns)
{
    QString line;
    for (int column = 0; column < columns; ++column) {
        const QString cell = row.value(column);
        line += cell;
        const qsizetype missing = ColumnWidth(column) - cell.size();
        line += QString(2 * std::max<qsizetype>(missing, 1), u' ');
    }
    return line;
}

int PrintedColumns(const std::vector<QStringList>& rows, int columns)
{
    int printed = 0;
    for (const QStringList& row : rows)
        for (int column = std::min<int>(columns, static_cast<int>(row.size())) - 1; column >= printed; --column)
            if (!row[column].isEmpty()) {
                printed = column + 1;
                break;
            }
    return printed;
}

std::vector<PrintedPage> LayOutTablePrintout(const std::vector<QStringList>& rows, int columns,
                                             int lineHeight, int pageHeight)
{
    const int h = std::max(lineHeight, 1);
    // A page lower than one line still takes one, rather than none and no end of pages.
    const int linesPerPage = std::max(pageHeight / h, 1);
    const int printed = PrintedColumns(rows, columns);
    std::vector<PrintedPage> pages;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int onPage = static_cast<int>(i % static_cast<std::size_t>(linesPerPage));
        if (pages.empty() || onPage == 0)
            pages.emplace_back();
        pages.back().push_back({TablePrintoutLine(rows[i], printed), onPage * h + h});
    }
    return pages;
}

#include "files/GridText.h"

#include "files/NumberText.h"
#include "files/WriteTextLines.h"

#include <algorithm>

QString GridTextLine(const QStringList& row, int columns, QChar separator, const QLocale& locale)
{
    const QChar decimalPoint = locale.decimalPoint().front();
    const bool rewrite = separator == u',' && decimalPoint != u'.';
    QString line;
    for (int column = 1; column < columns; ++column) {
        QString cell = row.value(column);
        if (rewrite && IsDecimalNumber(cell, decimalPoint))
            cell.replace(decimalPoint, u'.');
        line += cell;
        line += separator;
    }
    line += QStringLiteral("\r\n");
    return line;
}

int WriteGridTextLines(QIODevice& file, const std::vector<QStringList>& rows, int columns,
                       ExportRange range, QChar separator,
                       const std::function<bool(int)>& keepGoing, const QLocale& locale)
{
    const int first = std::max(range.from, 0);
    const int last = std::min(range.to, static_cast<int>(rows.size()) - 1);
    return WriteTextLines(
        file, std::max(0, last - first + 1),
        [&](int i, QByteArray& block) {
            block += GridTextLine(rows[static_cast<std::size_t>(first + i)], columns, separator, locale).toLocal8Bit();
            return true;
        },
        keepGoing);
}

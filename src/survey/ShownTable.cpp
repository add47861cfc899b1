#include "survey/ShownTable.h"

#include "shell/Formats.h"
#include "survey/TableColumns.h"

QString ShownCell(const ReportCell& cell)
{
    if (const auto* count = std::get_if<qint64>(&cell))
        return QString::number(*count);
    if (const auto* figure = std::get_if<double>(&cell))
        return OneDecimalText(*figure);
    if (const auto* text = std::get_if<QString>(&cell))
        return *text;
    return {};
}

QString ColumnHeading(const QString& column) { return ColumnOf(column).heading; }

QString TableCopyText(const ReportTable& table)
{
    QStringList headings;
    for (const QString& column : table.columns)
        headings << ColumnHeading(column);
    QString text = headings.join(u'\t') + u'\n';
    for (const std::vector<ReportCell>& row : table.rows) {
        QStringList cells;
        for (const ReportCell& cell : row)
            cells << ShownCell(cell);
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

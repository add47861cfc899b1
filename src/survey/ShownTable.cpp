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

QString ColumnHeading(const ReportTable& table, qsizetype column)
{
    const QString& name = table.columns.value(column);
    return table.headings.value(name, ColumnOf(name).heading);
}

bool ColumnShown(const ReportTable& table, qsizetype column) { return ColumnOf(table.columns.value(column)).shown; }

QString TableCopyText(const ReportTable& table)
{
    QStringList headings;
    for (qsizetype i = 0; i < table.columns.size(); ++i)
        if (ColumnShown(table, i))
            headings << ColumnHeading(table, i);
    QString text = headings.join(u'\t') + u'\n';
    for (const std::vector<ReportCell>& row : table.rows) {
        QStringList cells;
        for (std::size_t i = 0; i < row.size(); ++i)
            if (ColumnShown(table, static_cast<qsizetype>(i)))
                cells << ShownCell(row[i]);
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

#include "survey/ReportTable.h"

#include <QJsonObject>

#include <cmath>

namespace {

QByteArray CsvText(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

QByteArray OneDecimal(double value) { return QByteArray::number(value, 'f', 1); }

}  // namespace

ReportCell Figure(std::optional<double> value)
{
    return value && std::isfinite(*value) ? ReportCell(*value) : ReportCell();
}

QByteArray TableCsv(const ReportTable& table)
{
    QByteArray text = table.columns.join(u',').toUtf8() + '\n';
    for (const std::vector<ReportCell>& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += ',';
            const ReportCell& cell = row[i];
            if (const auto* count = std::get_if<qint64>(&cell))
                text += QByteArray::number(*count);
            else if (const auto* figure = std::get_if<double>(&cell))
                text += OneDecimal(*figure);
            else if (const auto* words = std::get_if<QString>(&cell))
                text += CsvText(*words);
        }
        text += '\n';
    }
    return text;
}

QJsonArray TableJson(const ReportTable& table)
{
    QJsonArray rows;
    for (const std::vector<ReportCell>& row : table.rows) {
        QJsonObject object;
        for (std::size_t i = 0; i < row.size() && i < static_cast<std::size_t>(table.columns.size()); ++i) {
            const ReportCell& cell = row[i];
            QJsonValue value;
            if (const auto* count = std::get_if<qint64>(&cell))
                value = *count;
            else if (const auto* figure = std::get_if<double>(&cell))
                value = OneDecimal(*figure).toDouble();  // the very tenth the CSV shows
            else if (const auto* words = std::get_if<QString>(&cell))
                value = *words;
            object.insert(table.columns[static_cast<qsizetype>(i)], value);
        }
        rows.append(object);
    }
    return rows;
}

#pragma once
#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

// A cell of a report's table: empty, a count, a figure (written with one decimal) or a text.
using ReportCell = std::variant<std::monostate, qint64, double, QString>;

// A table of qx574 report, written as CSV or as JSON from the same cells, for other programs
// to read: '.' as decimal separator whatever the locale, one decimal, empty where no value is
// given (null in JSON).
struct ReportTable {
    QString name;  // "periods", "den", ...: its key in the JSON, its file's suffix
    QStringList columns;
    std::vector<std::vector<ReportCell>> rows;
    // Headings of columns that depend on the table's settings ("Night Nth highest (n = 10)"),
    // in place of their description's in the window and the PDF.
    QHash<QString, QString> headings = {};
};

ReportCell Figure(std::optional<double> value);

// The header line and one line per row, each ending in a line feed; texts are quoted where
// they hold a comma, a quote or a line break.
QByteArray TableCsv(const ReportTable& table);
// One object per row, keyed by the column names.
QJsonArray TableJson(const ReportTable& table);

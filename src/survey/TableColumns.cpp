#include "survey/TableColumns.h"

#include <QHash>

namespace {

QHash<QString, TableColumn> Described()
{
    QHash<QString, TableColumn> columns;
    const auto add = [&columns](const char* name, const char* heading, const char* printed, double width = 1.0,
                                const char* prefix = "", bool shown = true) {
        const QString key = QString::fromLatin1(name);
        columns.insert(key, {key, QString::fromUtf8(heading), QString::fromUtf8(printed), width,
                             QString::fromLatin1(prefix), shown});
    };
    add("start", "Start", "Start", 2.6);
    add("end", "End", "End", 2.6);
    add("date", "Date", "Date", 1.6);
    add("event", "Event", "Event", 0.8, "E");
    add("events", "Events", "Events");
    add("coverage_pct", "Coverage (%)", "Cover %", 1.1);
    add("valid_samples", "Valid samples", "Samples", 1.1);
    add("duration_s", "Duration (s)", "Duration s", 1.2);
    add("leq_db", "Leq (dB)", "Leq dB");
    add("lmax_db", "Lmax (dB)", "Lmax dB");
    add("lmin_db", "Lmin (dB)", "Lmin dB");
    add("l10_db", "L10 (dB)", "L10 dB");
    add("l50_db", "L50 (dB)", "L50 dB");
    add("l90_db", "L90 (dB)", "L90 dB");
    add("sel_db", "SEL (dB)", "SEL dB");
    add("lday_db", "Lday (dB)", "Lday dB");
    add("levening_db", "Levening (dB)", "Levening dB");
    add("lnight_db", "Lnight (dB)", "Lnight dB");
    add("lden_db", "Lden (dB)", "Lden dB");
    add("ldn_db", "Ldn (dB)", "Ldn dB");
    // The night's n-th highest sample under the name it had first, until scripts have moved on.
    add("night_l10th_db", "Night n-th highest (dB)", "Night n-th highest dB", 1.2, "", false);
    add("night_nth_highest_db", "Night n-th highest (dB)", "Night n-th highest dB", 1.4);
    add("day_coverage_pct", "Day coverage (%)", "Day %");
    add("evening_coverage_pct", "Evening coverage (%)", "Evening %");
    add("night_coverage_pct", "Night coverage (%)", "Night %");
    add("above_db", "Above (dB)", "Above dB");
    add("seconds_above", "Time above (s)", "Time above s");
    add("measured_s", "Measured (s)", "Measured s");
    add("percent_above", "Time above (%)", "Time above %");
    add("class_low_db", "From (dB)", "From dB");
    add("class_high_db", "To (dB)", "To dB");
    add("time_pct", "Time (%)", "Time %");
    add("cumulative_pct", "At or above (%)", "At or above %");
    add("lex8h_db", "LEX,8h (dB)", "LEX,8h dB");
    add("dose_85_3_pct", "Dose 85 dB/3 dB (%)", "Dose %");
    add("osha_dose_pct", "OSHA dose (%)", "OSHA dose %");
    add("osha_twa_db", "OSHA TWA (dB)", "OSHA TWA dB");
    add("hc_dose_pct", "Hearing conservation dose (%)", "HC dose %");
    add("eu_verdict", "Verdict", "Verdict", 3.0);
    return columns;
}

QString PrintedCell(const ReportCell& cell, const QString& prefix)
{
    if (const auto* count = std::get_if<qint64>(&cell))
        return prefix + QString::number(*count);
    if (const auto* figure = std::get_if<double>(&cell))
        return prefix + QString::number(*figure, 'f', 1);
    if (const auto* text = std::get_if<QString>(&cell))
        return prefix + *text;
    return QStringLiteral("\u2013");
}

}  // namespace

TableColumn ColumnOf(const QString& name)
{
    static const QHash<QString, TableColumn> described = Described();
    return described.value(name, TableColumn{name, name, name, 1.0, {}, true});
}

ReportGrid PrintedGrid(const ReportTable& table, const QString& heading)
{
    ReportGrid grid{heading, {}, {}, {}};
    std::vector<std::pair<std::size_t, QString>> printed;  // the shown columns and their prefixes
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        const TableColumn column = ColumnOf(table.columns[i]);
        if (!column.shown)
            continue;
        grid.columns << table.headings.value(column.name, column.printed);
        grid.widths.push_back(column.width);
        printed.emplace_back(static_cast<std::size_t>(i), column.printedPrefix);
    }
    for (const std::vector<ReportCell>& row : table.rows) {
        QStringList cells;
        for (const auto& [i, prefix] : printed)
            cells << (i < row.size() ? PrintedCell(row[i], prefix) : QString());
        grid.rows.push_back(cells);
    }
    return grid;
}

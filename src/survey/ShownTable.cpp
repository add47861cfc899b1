#include "survey/ShownTable.h"

#include "shell/Formats.h"

#include <QHash>

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

QString ColumnHeading(const QString& column)
{
    static const QHash<QString, QString> headings{
        {QStringLiteral("start"), QStringLiteral("Start")},
        {QStringLiteral("end"), QStringLiteral("End")},
        {QStringLiteral("date"), QStringLiteral("Date")},
        {QStringLiteral("event"), QStringLiteral("Event")},
        {QStringLiteral("events"), QStringLiteral("Events")},
        {QStringLiteral("coverage_pct"), QStringLiteral("Coverage (%)")},
        {QStringLiteral("valid_samples"), QStringLiteral("Valid samples")},
        {QStringLiteral("duration_s"), QStringLiteral("Duration (s)")},
        {QStringLiteral("leq_db"), QStringLiteral("Leq (dB)")},
        {QStringLiteral("lmax_db"), QStringLiteral("Lmax (dB)")},
        {QStringLiteral("lmin_db"), QStringLiteral("Lmin (dB)")},
        {QStringLiteral("l10_db"), QStringLiteral("L10 (dB)")},
        {QStringLiteral("l50_db"), QStringLiteral("L50 (dB)")},
        {QStringLiteral("l90_db"), QStringLiteral("L90 (dB)")},
        {QStringLiteral("sel_db"), QStringLiteral("SEL (dB)")},
        {QStringLiteral("lday_db"), QStringLiteral("Lday (dB)")},
        {QStringLiteral("levening_db"), QStringLiteral("Levening (dB)")},
        {QStringLiteral("lnight_db"), QStringLiteral("Lnight (dB)")},
        {QStringLiteral("lden_db"), QStringLiteral("Lden (dB)")},
        {QStringLiteral("ldn_db"), QStringLiteral("Ldn (dB)")},
        {QStringLiteral("night_l10th_db"), QStringLiteral("Night n-th highest (dB)")},
        {QStringLiteral("day_coverage_pct"), QStringLiteral("Day coverage (%)")},
        {QStringLiteral("evening_coverage_pct"), QStringLiteral("Evening coverage (%)")},
        {QStringLiteral("night_coverage_pct"), QStringLiteral("Night coverage (%)")},
        {QStringLiteral("above_db"), QStringLiteral("Above (dB)")},
        {QStringLiteral("seconds_above"), QStringLiteral("Time above (s)")},
        {QStringLiteral("measured_s"), QStringLiteral("Measured (s)")},
        {QStringLiteral("percent_above"), QStringLiteral("Time above (%)")},
        {QStringLiteral("class_low_db"), QStringLiteral("From (dB)")},
        {QStringLiteral("class_high_db"), QStringLiteral("To (dB)")},
        {QStringLiteral("time_pct"), QStringLiteral("Time (%)")},
        {QStringLiteral("cumulative_pct"), QStringLiteral("At or above (%)")},
        {QStringLiteral("lex8h_db"), QStringLiteral("LEX,8h (dB)")},
        {QStringLiteral("dose_85_3_pct"), QStringLiteral("Dose 85 dB/3 dB (%)")},
        {QStringLiteral("osha_dose_pct"), QStringLiteral("OSHA dose (%)")},
        {QStringLiteral("osha_twa_db"), QStringLiteral("OSHA TWA (dB)")},
        {QStringLiteral("hc_dose_pct"), QStringLiteral("Hearing conservation dose (%)")},
        {QStringLiteral("eu_verdict"), QStringLiteral("Verdict")},
    };
    return headings.value(column, column);
}

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

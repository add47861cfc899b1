#include "leq/NoiseMetricsTable.h"

#include "shell/Formats.h"

namespace {

QString Level(std::optional<double> value)
{
    return value ? OneDecimalText(*value) : QString();
}

}  // namespace

std::vector<NoiseMetricsRow> NoiseMetricsRows(const NoiseMetrics& m)
{
    return {
        {QStringLiteral("Valid samples"), QString::number(m.validSamples)},
        {QStringLiteral("Empty points, left out"), QString::number(m.emptyPoints)},
        {QStringLiteral("Outside 20-140 dB, left out"), QString::number(m.replacedSamples)},
        {QStringLiteral("Duration T (s)"), m.seconds > 0.0 ? OneDecimalText(m.seconds) : QString()},
        {QStringLiteral("Leq (dB)"), Level(m.leq)},
        {QStringLiteral("Lmax (dB)"), Level(m.lmax)},
        {QStringLiteral("Lmin (dB)"), Level(m.lmin)},
        {QStringLiteral("L5 (dB)"), Level(m.l5)},
        {QStringLiteral("L10 (dB)"), Level(m.l10)},
        {QStringLiteral("L50 (dB)"), Level(m.l50)},
        {QStringLiteral("L90 (dB)"), Level(m.l90)},
        {QStringLiteral("L95 (dB)"), Level(m.l95)},
        {QStringLiteral("SEL (dB)"), Level(m.sel)},
        {QStringLiteral("LEX,8h (dB)"), Level(m.lex8h)},
        {QStringLiteral("Dose (%)"), Level(m.dosePercent)},
        {QStringLiteral("Lden (dB)"), Level(m.lden)},
    };
}

QString ShownFigure(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("\u2013") : value;
}

QString NoiseMetricsCopyText(const NoiseMetrics& whole, const NoiseMetrics& between,
                             const QString& intervalText)
{
    return NoiseMetricsCopyText({{WholeGraphHeading, whole}, {BetweenCursorsHeading, between}}, intervalText);
}

QString NoiseMetricsCopyText(const std::vector<NoiseMetricsColumn>& columns, const QString& intervalText)
{
    QString text = QStringLiteral("Noise metrics");
    std::vector<std::vector<NoiseMetricsRow>> rows;
    for (const NoiseMetricsColumn& column : columns) {
        text += u'\t' + column.heading;
        rows.push_back(NoiseMetricsRows(column.metrics));
    }
    text += u'\n' + intervalText + u'\n';
    const std::vector<NoiseMetricsRow> names = NoiseMetricsRows({});
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += names[i].name;
        for (const std::vector<NoiseMetricsRow>& column : rows)
            text += u'\t' + column[i].value;
        text += u'\n';
    }
    return text;
}

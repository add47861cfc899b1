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
    const auto weighted = [&m](const char* name) { return WeightedName(QString::fromLatin1(name), m.weighting); };
    return {
        {QStringLiteral("Valid samples"), QString::number(m.validSamples)},
        {QStringLiteral("Empty points, left out"), QString::number(m.emptyPoints)},
        {QStringLiteral("Outside 20-140 dB, left out"), QString::number(m.replacedSamples)},
        {QStringLiteral("Duration T (s)"), m.seconds > 0.0 ? OneDecimalText(m.seconds) : QString()},
        {weighted("Leq") + QStringLiteral(" (dB)"), Level(m.leq)},
        {weighted("Lmax") + QStringLiteral(" (dB)"), Level(m.lmax)},
        {weighted("Lmin") + QStringLiteral(" (dB)"), Level(m.lmin)},
        {weighted("L5") + QStringLiteral(" (dB)"), Level(m.l5)},
        {weighted("L10") + QStringLiteral(" (dB)"), Level(m.l10)},
        {weighted("L50") + QStringLiteral(" (dB)"), Level(m.l50)},
        {weighted("L90") + QStringLiteral(" (dB)"), Level(m.l90)},
        {weighted("L95") + QStringLiteral(" (dB)"), Level(m.l95)},
        {QStringLiteral("SEL (dB)"), Level(m.sel)},
        {QStringLiteral("LEX,8h (dB)"), Level(m.lex8h)},
        {QStringLiteral("Dose (%)"), Level(m.dosePercent)},
        {QStringLiteral("Lden (dB)"), Level(m.lden)},
    };
}

QString ExposureNote(const NoiseMetrics& metrics)
{
    const std::optional<QString> reason = ExposureNotGivenReason(metrics.weighting);
    return reason ? QStringLiteral("LEX,8h and dose not given: ") + *reason : QString();
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

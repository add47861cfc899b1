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
    QString text = QStringLiteral("Noise metrics\t") + WholeGraphHeading + u'\t' + BetweenCursorsHeading + u'\n';
    text += intervalText + u'\n';
    const std::vector<NoiseMetricsRow> left = NoiseMetricsRows(whole);
    const std::vector<NoiseMetricsRow> right = NoiseMetricsRows(between);
    for (std::size_t i = 0; i < left.size(); ++i)
        text += left[i].name + u'\t' + left[i].value + u'\t' + right[i].value + u'\n';
    return text;
}

#include "report/ui/DrawDistributionChart.h"

#include "report/ui/ReportPainter.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QColor Bars(120, 150, 200);
const QColor Curve(190, 40, 40);
const QColor Grid(170, 170, 170);

// A round step that gives at most ten ticks over the span.
double Step(double span)
{
    for (double step : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0})
        if (span / step <= 10.0)
            return step;
    return 100.0;
}

}  // namespace

void DrawDistributionChart(QPainter& painter, const QRectF& box, const std::vector<DistributionRow>& rows)
{
    painter.save();
    const double mm = box.width() / 180.0;
    const QRectF plot = box.adjusted(14.0 * mm, 4.0 * mm, -14.0 * mm, -10.0 * mm);
    painter.setFont(ReportPainter::Font(6.5));
    painter.setPen(QPen(ReportInk::Ink, 0.25 * mm));
    painter.drawRect(plot);
    if (rows.empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No valid samples"));
        painter.restore();
        return;
    }
    const double low = rows.front().low;
    const double high = rows.back().high;
    double tallest = 0.0;
    for (const DistributionRow& row : rows)
        tallest = std::max(tallest, row.percent);
    const double top = std::max(1.0, std::ceil(tallest / Step(tallest)) * Step(tallest));
    const auto x = [&](double level) { return plot.left() + (level - low) / (high - low) * plot.width(); };
    const auto yBar = [&](double percent) { return plot.bottom() - percent / top * plot.height(); };
    const auto yCurve = [&](double percent) { return plot.bottom() - percent / 100.0 * plot.height(); };

    // Axes: the share in a class on the left, the cumulative share on the right, levels below.
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (double p = 0.0; p <= top + 1e-9; p += Step(top)) {
        painter.setPen(QPen(Grid, 0.15 * mm, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), yBar(p)), QPointF(plot.right(), yBar(p)));
        painter.setPen(ReportInk::Ink);
        painter.drawText(QRectF(box.left(), yBar(p) - metrics.height(), plot.left() - box.left() - 1.5 * mm,
                                2 * metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(p) + QStringLiteral(" %"));
    }
    painter.setPen(Curve);
    for (int p = 0; p <= 100; p += 20)
        painter.drawText(QRectF(plot.right() + 1.5 * mm, yCurve(p) - metrics.height(), 12.0 * mm, 2 * metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(p) + QStringLiteral(" %"));
    painter.setPen(ReportInk::Ink);
    const double step = Step(high - low);
    for (double level = std::ceil(low / step) * step; level <= high + 1e-9; level += step)
        painter.drawText(QRectF(x(level) - 10.0 * mm, plot.bottom() + 1.0 * mm, 20.0 * mm, metrics.height() * 1.2),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(level));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 1.0 * mm + metrics.height() * 1.2, plot.width(),
                            metrics.height() * 1.2),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Level, dB"));

    for (const DistributionRow& row : rows)
        painter.fillRect(QRectF(QPointF(x(row.low), yBar(row.percent)), QPointF(x(row.high), plot.bottom())), Bars);
    QPainterPath curve;
    curve.moveTo(x(rows.front().low), yCurve(rows.front().cumulativePercent));
    for (std::size_t i = 1; i < rows.size(); ++i)
        curve.lineTo(x(rows[i].low), yCurve(rows[i].cumulativePercent));
    curve.lineTo(x(high), yCurve(0.0));
    painter.setPen(QPen(Curve, 0.35 * mm));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    painter.restore();
}

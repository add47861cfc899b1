#include "report/ui/DrawReportChart.h"

#include "files/ChartState.h"
#include "graph/ui/ChartPens.h"
#include "link/MeasurableLevel.h"
#include "report/ReportPage.h"
#include "shell/Formats.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QColor Ink(25, 25, 25);
const QColor Grid(170, 170, 170);
const QColor CursorA(40, 70, 200);
const QColor CursorB(200, 40, 40);
const QColor Shaded(255, 190, 120, 150);

QFont ChartFont(double points)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

// A level step that gives five to ten ticks over the span.
double LevelStep(double span)
{
    for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0})
        if (span / step <= 10.0)
            return step;
    return 100.0;
}

// A level the meter could not measure (0, out of range, a chart's null) is a gap in the curve,
// not a drop to the floor.
bool IsLevel(float level) { return IsMeasurableLevel(level); }

// Where a point of the chart lands in the plot area.
class Scale {
public:
    Scale(const QRectF& plot, const ReportChart& chart)
        : plot(plot), first(chart.first), span(chart.last > chart.first ? chart.last - chart.first : OneSecond),
          bottom(chart.bottom), height(chart.top > chart.bottom ? chart.top - chart.bottom : 1.0)
    {
    }
    double X(double time) const { return plot.left() + (time - first) / span * plot.width(); }
    double Y(double level) const { return plot.bottom() - (level - bottom) / height * plot.height(); }

private:
    QRectF plot;
    double first, span, bottom, height;
};

void DrawCurve(QPainter& painter, const Scale& scale, const QRectF& plot, const std::vector<double>& times,
               const std::vector<float>& levels, const QColor& color, double width)
{
    QPainterPath path;
    bool drawing = false;
    const std::size_t count = std::min(times.size(), levels.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsLevel(levels[i])) {
            drawing = false;
            continue;
        }
        const QPointF at(scale.X(times[i]), scale.Y(levels[i]));
        if (drawing)
            path.lineTo(at);
        else
            path.moveTo(at);
        drawing = true;
    }
    painter.save();
    painter.setClipRect(plot);
    painter.setPen(QPen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace

double TimeTickStepSeconds(double spanSeconds, int maxTicks)
{
    static const double steps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600,
                                   43200, 86400, 172800, 604800};
    for (double step : steps)
        if (spanSeconds / step <= maxTicks)
            return step;
    return std::ceil(spanSeconds / maxTicks / 86400.0) * 86400.0;
}

void DrawReportChart(QPainter& painter, const QRectF& box, const ReportChart& chart)
{
    painter.save();
    const double mm = box.width() / 180.0;  // the box is laid out for a width of about 180 mm
    const QFont labels = ChartFont(6.5);
    const QFontMetricsF metrics(labels, painter.device());
    const QRectF plot = box.adjusted(14.0 * mm, 4.0 * mm, -4.0 * mm, -11.0 * mm);
    const Scale scale(plot, chart);
    painter.setFont(labels);

    // Level axis and horizontal grid.
    const double step = LevelStep(chart.top - chart.bottom);
    for (double level = std::ceil(chart.bottom / step) * step; level <= chart.top + 1e-9; level += step) {
        const double y = scale.Y(level);
        painter.setPen(QPen(Grid, 0.15 * mm, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Ink);
        painter.drawText(QRectF(box.left(), y - metrics.height(), plot.left() - box.left() - 1.5 * mm, 2 * metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
    }
    painter.save();
    painter.translate(box.left() + 2.5 * mm, plot.center().y());
    painter.rotate(-90.0);
    painter.drawText(QRectF(-20.0 * mm, -3.0 * mm, 40.0 * mm, 6.0 * mm), Qt::AlignCenter, chart.levelAxis);
    painter.restore();

    // Time axis and vertical grid: the time of day, the date below it.
    const double spanSeconds = (chart.last - chart.first) * 86400.0;
    if (spanSeconds > 0.0) {
        const double stepSeconds = TimeTickStepSeconds(spanSeconds, 7);
        const double firstSecond = std::ceil(std::round(chart.first * 86400.0 * 1000.0) / 1000.0 / stepSeconds) * stepSeconds;
        for (double second = firstSecond; second <= chart.last * 86400.0 + 1e-6; second += stepSeconds) {
            const double time = second / 86400.0;
            const double x = scale.X(time);
            painter.setPen(QPen(Grid, 0.15 * mm, Qt::DotLine));
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.setPen(Ink);
            painter.drawText(QRectF(x - 15.0 * mm, plot.bottom() + 1.0 * mm, 30.0 * mm, 2.2 * metrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, TimeText(time) + u'\n' + DateText(time));
        }
    }

    // Spans left out of the analysis, under the curves.
    for (const auto& [from, to] : chart.shaded) {
        const double left = std::clamp(scale.X(from), plot.left(), plot.right());
        const double right = std::clamp(scale.X(to), plot.left(), plot.right());
        painter.fillRect(QRectF(left, plot.top(), std::max(right - left, 0.3 * mm), plot.height()), Shaded);
    }

    painter.setPen(QPen(Ink, 0.25 * mm));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    const QColor levelLine = ColorFromStored(chart.levelColor);
    const QColor leqLine = ColorFromStored(chart.leqColor);
    DrawCurve(painter, scale, plot, chart.times, chart.levels, levelLine, 0.2 * mm);
    if (!chart.leq.empty())
        DrawCurve(painter, scale, plot, chart.times, chart.leq, leqLine, 0.3 * mm);

    // The marks: a cross, or the text at its place; a text kept whole inside the plot and
    // lifted above the texts already placed that it would cover.
    painter.save();
    painter.setClipRect(plot);
    std::vector<QRectF> placed;
    for (const ReportMark& mark : chart.marks) {
        const QPointF at(scale.X(mark.time), scale.Y(mark.level));
        painter.setPen(QPen(ColorFromStored(mark.color), 0.25 * mm));
        if (mark.cross) {
            const double r = 1.2 * mm;
            painter.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
            painter.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
        } else {
            QRectF text = metrics.boundingRect(mark.text);
            text.moveTo(std::clamp(at.x(), plot.left(), std::max(plot.left(), plot.right() - text.width())),
                        std::clamp(at.y() - metrics.ascent(), plot.top(), plot.bottom() - text.height()));
            const auto covers = [&text](const QRectF& other) { return other.intersects(text); };
            for (int lift = 0; lift < 8 && std::any_of(placed.begin(), placed.end(), covers); ++lift)
                text.moveTop(std::max(plot.top(), text.top() - text.height()));
            placed.push_back(text);
            painter.drawText(QPointF(text.left(), text.top() + metrics.ascent()), mark.text);
        }
    }
    // The cursors, as the window draws them: A blue, B red.
    const auto cursor = [&](const std::optional<double>& time, const QColor& color, const QString& name) {
        if (!time)
            return;
        const double x = scale.X(*time);
        painter.setPen(QPen(color, 0.3 * mm, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(color);
        painter.drawText(QPointF(x + 0.8 * mm, plot.top() + metrics.ascent() + 0.5 * mm), name);
    };
    cursor(chart.cursorA, CursorA, QStringLiteral("A"));
    cursor(chart.cursorB, CursorB, QStringLiteral("B"));
    painter.restore();

    if (!chart.leq.empty()) {
        const double y = box.top() + 1.0 * mm;
        painter.setPen(QPen(levelLine, 0.3 * mm));
        painter.drawLine(QPointF(plot.right() - 40.0 * mm, y + 1.5 * mm), QPointF(plot.right() - 34.0 * mm, y + 1.5 * mm));
        painter.setPen(Ink);
        painter.drawText(QPointF(plot.right() - 33.0 * mm, y + 2.5 * mm), QStringLiteral("SPL"));
        painter.setPen(QPen(leqLine, 0.3 * mm));
        painter.drawLine(QPointF(plot.right() - 20.0 * mm, y + 1.5 * mm), QPointF(plot.right() - 14.0 * mm, y + 1.5 * mm));
        painter.setPen(Ink);
        painter.drawText(QPointF(plot.right() - 13.0 * mm, y + 2.5 * mm), QStringLiteral("Leq"));
    }
    painter.restore();
}

#include "report/ui/DrawReportPage.h"

#include "leq/NoiseMetricsTable.h"
#include "report/ReportPage.h"
#include "report/ui/DrawReportChart.h"
#include "report/ui/ReportPainter.h"
#include "shell/Formats.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using namespace ReportInk;
using Page = ReportPainter;

constexpr double Left = 15.0;
constexpr double Right = 195.0;
constexpr double ChartHeight = 105.0;

using Facts = ReportFacts;

// Label above value, three to a row; returns the height taken.
double DrawFacts(Page& page, double y, const Facts& facts)
{
    const double column = (Right - Left) / 3.0;
    double rowHeight = 0.0;
    double top = y;
    for (std::size_t i = 0; i < facts.size(); ++i) {
        const double x = Left + column * static_cast<double>(i % 3);
        double h = page.Text(x, top, column - 3.0, facts[i].first, Page::Font(7.0), Quiet);
        h += page.Text(x, top + h, column - 3.0, facts[i].second, Page::Font(9.0, true));
        rowHeight = std::max(rowHeight, h);
        if (i % 3 == 2 || i + 1 == facts.size()) {
            top += rowHeight + 1.5;
            rowHeight = 0.0;
        }
    }
    return top - y;
}

void DrawChart(Page& page, const ReportChart& chart, double y)
{
    const QRectF box = page.Mm(Left, y, Right - Left, ChartHeight);
    DrawReportChart(page.painter, box, chart);
    page.painter.setPen(QPen(Rule, 0.25 * page.perMm));
    page.painter.setBrush(Qt::NoBrush);
    page.painter.drawRect(box);
}

double DrawHeading(Page& page, double x, double y, double w, const QString& text)
{
    const double h = page.Text(x, y, w, text, Page::Font(10.0, true));
    page.Line(x, y + h + 0.6, x + w, Rule, 0.2);
    return h + 2.0;
}

// Label and value lines of statistics boxes; returns the height taken.
double DrawBoxTexts(Page& page, double x, double y, double w, const Facts& lines)
{
    double top = y;
    for (const auto& [label, value] : lines) {
        const double h = page.Text(x, top, w * 0.4, label, Page::Font(7.5), Quiet);
        const double v = page.Text(x + w * 0.4, top, w * 0.6, value, Page::Font(7.5));
        top += std::max({h, v, 3.6}) + 0.6;
    }
    return top - y;
}

QString At(const QString& value, const QString& unit, const QString& time)
{
    if (value.trimmed().isEmpty())
        return QString();
    return value + unit + (time.isEmpty() ? QString() : QStringLiteral("  @ ") + time);
}

double DrawMetricsTable(Page& page, double x, double y, double w, const GraphMetrics& metrics, bool withCursors)
{
    const std::vector<NoiseMetricsRow> whole = NoiseMetricsRows(metrics.whole);
    const std::vector<NoiseMetricsRow> between = NoiseMetricsRows(metrics.between);
    const double rowHeight = 4.3;
    const double nameWidth = withCursors ? w * 0.42 : w * 0.6;
    const double valueWidth = (w - nameWidth) / (withCursors ? 2.0 : 1.0);
    const auto row = [&](double top, const QString& name, const QString& a, const QString& b, const QFont& font) {
        page.Text(x + 1.5, top + 0.6, nameWidth - 2.0, name, font, Ink, Qt::AlignLeft);
        page.Text(x + nameWidth, top + 0.6, valueWidth - 2.0, a, font, Ink, Qt::AlignRight);
        if (withCursors)
            page.Text(x + nameWidth + valueWidth, top + 0.6, valueWidth - 2.0, b, font, Ink, Qt::AlignRight);
    };
    page.Fill(x, y, w, rowHeight + 0.6, HeadingShade);
    row(y, QStringLiteral("Measure"), WholeGraphHeading, BetweenCursorsHeading, Page::Font(7.0, true));
    double top = y + rowHeight + 0.6;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i % 2 == 1)
            page.Fill(x, top, w, rowHeight, Shade);
        // The levels a report is read for stand out.
        const bool key = whole[i].name.startsWith(QStringLiteral("Leq")) || whole[i].name.startsWith(QStringLiteral("L90"))
                         || whole[i].name.startsWith(QStringLiteral("SEL"));
        row(top, whole[i].name, ShownFigure(whole[i].value), ShownFigure(between[i].value), Page::Font(7.0, key));
        top += rowHeight;
    }
    page.Line(x, top, x + w, Rule, 0.25);
    return top - y;
}

}  // namespace

void DrawReportPage(QPainter& painter, const ReportPage& report, const QString& footer)
{
    Page page(painter);
    const GraphMetrics& metrics = report.metrics;
    const bool withCursors = report.withCursors;
    const StatisticBoxes& boxes = report.boxes;

    double y = 13.0;
    page.Text(Left, y, 120.0, QStringLiteral("Noise Report"), Page::Font(18.0, true));
    page.Text(Right - 70.0, y + 2.5, 70.0,
              QStringLiteral("QX574 \u00b7 generated ") + DateTimeText(report.generated), Page::Font(7.5), Quiet,
              Qt::AlignRight);
    y += 10.5;
    page.Line(Left, y, Right, Ink, 0.5);
    y += 2.5;
    y += page.Text(Left, y, Right - Left, report.title, Page::Font(12.0, true)) + 2.0;
    y += DrawFacts(page, y, report.facts) + 1.0;

    DrawChart(page, report.chart, y);
    y += ChartHeight + 5.0;

    const double leftWidth = 80.0;
    const double gap = 5.0;
    const double tableX = Left + leftWidth + gap;
    const double tableWidth = Right - tableX;

    double left = y;
    left += DrawHeading(page, Left, left, leftWidth, QStringLiteral("Graph statistics"));
    const QString dB = QStringLiteral(" dB");
    left += DrawBoxTexts(page, Left, left, leftWidth,
                         {{QStringLiteral("Start Time"), boxes.startTime},
                          {QStringLiteral("Sampling Rate"), boxes.samplingRate.isEmpty() ? QString() : boxes.samplingRate + QStringLiteral(" Sec")},
                          {QStringLiteral("Data No."), boxes.dataNo},
                          {QStringLiteral("Avg (arithmetic)"), At(boxes.avgAll, dB, {})},
                          {QStringLiteral("Maximum"), At(boxes.max, dB, boxes.maxTime)},
                          {QStringLiteral("Minimum"), At(boxes.min, dB, boxes.minTime)}});
    if (withCursors) {
        left += 3.0;
        left += DrawHeading(page, Left, left, leftWidth, QStringLiteral("Between cursors A and B"));
        DrawBoxTexts(page, Left, left, leftWidth,
                     {{QStringLiteral("Cursor A"), At(boxes.cursorA, dB, boxes.cursorATime)},
                      {QStringLiteral("Cursor B"), At(boxes.cursorB, dB, boxes.cursorBTime)},
                      {QStringLiteral("Max.Between A and B"), At(boxes.maxAB, dB, boxes.maxABTime)},
                      {QStringLiteral("Min.Between A and B"), At(boxes.minAB, dB, boxes.minABTime)},
                      {QStringLiteral("Avg Between A and B"), At(boxes.avgAB, dB, {})}});
    }

    double right = y;
    right += DrawHeading(page, tableX, right, tableWidth, QStringLiteral("Noise metrics"));
    DrawMetricsTable(page, tableX, right, tableWidth, metrics, withCursors);

    const double bottom = page.painter.device()->height() / page.perMm - 12.0;
    const QString notes = QStringLiteral(
        "Leq: energy-equivalent level. LN: the level exceeded for N % of the valid samples. SEL: Leq over "
        "T referred to 1 s; LEX,8h: referred to 8 hours; dose: 100 % is 85 dB for 8 hours. Lden: day "
        "07-19, evening 19-23 (+5 dB), night 23-07 (+10 dB), given when the graph holds all three. "
        "Levels outside 20-140 dB and empty points are left out.");
    page.Line(Left, bottom - 9.0, Right, Rule, 0.2);
    page.Text(Left, bottom - 8.0, Right - Left - 30.0, notes, Page::Font(6.5), Quiet);
    page.Text(Right - 28.0, bottom - 8.0, 28.0, footer, Page::Font(7.0), Quiet, Qt::AlignRight);
}

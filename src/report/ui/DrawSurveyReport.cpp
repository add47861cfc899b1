#include "report/ui/DrawSurveyReport.h"

#include "survey/SurveyReport.h"
#include "report/ui/DrawDistributionChart.h"
#include "report/ui/DrawReportChart.h"
#include "report/ui/ReportPainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <numeric>

namespace {

using namespace ReportLayout;
using namespace ReportInk;

const QColor Warning(160, 20, 20);

// A cell that holds a figure, a count or nothing is set right, as figures line up so.
// A number, alone or with its unit ("72.3 dB", "120.0 s", "25.0 %"), or the dash of no value:
// set right, so that a column of figures lines up on their last digits.
bool IsFigure(const QString& text)
{
    if (text == QStringLiteral("\u2013"))
        return true;
    const QStringList parts = text.split(u' ');
    static const QStringList units{QStringLiteral("dB"), QStringLiteral("s"), QStringLiteral("%")};
    if (parts.size() > 2 || (parts.size() == 2 && !units.contains(parts[1])))
        return false;
    bool ok = false;
    parts[0].toDouble(&ok);
    return ok;
}

class SheetPainter {
public:
    explicit SheetPainter(QPainter& painter) : page(painter) {}

    void operator()(const ReportHeading& heading)
    {
        const double h = page.Text(LeftMm, y + 2.0, RightMm - LeftMm, heading.text, ReportPainter::Font(11.0, true));
        page.Line(LeftMm, y + 2.0 + h + 0.8, RightMm, Rule, 0.2);
        y += HeadingMm;
    }
    void operator()(const ReportText& text)
    {
        const bool note = text.style == ReportText::Style::Note;
        const bool warning = text.style == ReportText::Style::Warning;
        y += page.Text(LeftMm, y, RightMm - LeftMm, text.text, ReportPainter::Font(note ? 7.0 : 8.0, warning),
                       warning ? Warning : note ? Quiet : Ink)
             + GapMm;
    }
    void operator()(const ReportFactList& list)
    {
        const double valueX = LeftMm + FactLabelMm;
        for (const auto& [label, value] : list.facts) {
            const double l = page.Text(LeftMm, y, FactLabelMm - 2.0, label, ReportPainter::Font(7.5), Quiet);
            const bool flagged = value.contains(QStringLiteral("FLAGGED"));
            const double v = page.Text(valueX, y, RightMm - valueX, value, ReportPainter::Font(8.0, flagged),
                                       flagged ? Warning : Ink);
            y += std::max({l, v, LineMm - 0.6}) + 0.6;
        }
        y += GapMm;
    }
    void operator()(const ReportGrid& grid)
    {
        const double width = RightMm - LeftMm;
        const double parts = std::accumulate(grid.widths.begin(), grid.widths.end(), 0.0);
        std::vector<double> x{LeftMm};
        const auto columns = static_cast<std::size_t>(grid.columns.size());
        for (std::size_t i = 0; i < columns; ++i)
            x.push_back(x.back() + width * (i < grid.widths.size() && parts > 0.0 ? grid.widths[i] / parts
                                                                                  : 1.0 / static_cast<double>(columns)));
        page.Text(LeftMm, y + 2.5, width,
                  grid.heading + (grid.continued ? QStringLiteral(" (continued)") : QString()),
                  ReportPainter::Font(9.5, true));
        y += HeadingMm;
        const auto row = [&](const QStringList& cells, const QFont& font) {
            for (qsizetype i = 0; i < cells.size() && i < grid.columns.size(); ++i) {
                const auto c = static_cast<std::size_t>(i);
                const bool right = IsFigure(cells[i]) || (cells[i] == grid.columns[i] && i > 0 && IsFigureColumn(grid, i));
                page.Text(x[c] + 1.0, y + 0.5, x[c + 1] - x[c] - 2.0, cells[i], font, Ink,
                          right ? Qt::AlignRight : Qt::AlignLeft);
            }
        };
        page.Fill(LeftMm, y, width, GridHeadMm, HeadingShade);
        row(grid.columns, ReportPainter::Font(7.0, true));
        y += GridHeadMm;
        for (std::size_t r = 0; r < grid.rows.size(); ++r) {
            if (r % 2 == 1)
                page.Fill(LeftMm, y, width, LineMm, Shade);
            row(grid.rows[r], ReportPainter::Font(7.0));
            y += LineMm;
        }
        page.Line(LeftMm, y, RightMm, Rule, 0.25);
        y += GapMm;
    }
    void operator()(const ReportTimeHistory& history)
    {
        const QRectF box = page.Mm(LeftMm, y, RightMm - LeftMm, ChartMm);
        DrawReportChart(page.painter, box, history.chart);
        page.painter.setPen(QPen(Rule, 0.25 * page.perMm));
        page.painter.setBrush(Qt::NoBrush);
        page.painter.drawRect(box);
        y += ChartMm + GapMm;
    }
    void operator()(const ReportDistribution& distribution)
    {
        DrawDistributionChart(page.painter, page.Mm(LeftMm, y, RightMm - LeftMm, DistributionMm), distribution.rows);
        y += DistributionMm + GapMm;
    }
    void operator()(const ReportPageBreak&) {}

private:
    ReportPainter page;
    double y = TopMm;

    // A column whose first cell is a figure has its name set right over it.
    static bool IsFigureColumn(const ReportGrid& grid, qsizetype column)
    {
        return !grid.rows.empty() && column < grid.rows.front().size() && IsFigure(grid.rows.front()[column]);
    }
};

}  // namespace

void DrawSurveyReportPage(QPainter& painter, const ReportSheet& sheet, const QString& header, const QString& footer)
{
    ReportPainter page(painter);
    page.Text(LeftMm, 11.0, RightMm - LeftMm - 30.0, header, ReportPainter::Font(8.0, true), Quiet);
    page.Text(RightMm - 30.0, 11.0, 30.0, QStringLiteral("QX574"), ReportPainter::Font(8.0), Quiet, Qt::AlignRight);
    page.Line(LeftMm, 17.5, RightMm, Ink, 0.4);
    SheetPainter draw(painter);
    for (const ReportBlock& block : sheet.blocks)
        std::visit(draw, block);
    page.Line(LeftMm, PageHeightMm - 14.0, RightMm, Rule, 0.2);
    page.Text(RightMm - 40.0, PageHeightMm - 12.5, 40.0, footer, ReportPainter::Font(7.5), Quiet, Qt::AlignRight);
}

bool WriteSurveyReportPdf(QIODevice& out, const SurveyReport& report)
{
    QPdfWriter writer(&out);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("QX574"));
    writer.setTitle(QStringLiteral("Noise Survey Report \u2013 ") + report.header);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const auto count = static_cast<qsizetype>(report.pages.size());
    for (qsizetype page = 0; page < count; ++page) {
        if (page > 0)
            writer.newPage();
        DrawSurveyReportPage(painter, report.pages[static_cast<std::size_t>(page)], report.header,
                             QStringLiteral("Page %1 of %2").arg(page + 1).arg(count));
    }
    return painter.end();
}

#include "report/ReportBlocks.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace ReportLayout;

// Lines that text takes when wrapped at perLine characters, each line break counted.
int Lines(const QString& text, int perLine)
{
    int lines = 0;
    for (const QString& paragraph : text.split(u'\n'))
        lines += std::max(1, static_cast<int>((paragraph.size() + perLine - 1) / perLine));
    return lines;
}

double GridHeightMm(const ReportGrid&, std::size_t rows)
{
    return HeadingMm + GridHeadMm + LineMm * static_cast<double>(rows) + GapMm;
}

constexpr double Room = BottomMm - TopMm;

}  // namespace

double BlockHeightMm(const ReportBlock& block)
{
    struct Height {
        double operator()(const ReportHeading&) const { return HeadingMm; }
        double operator()(const ReportText& text) const
        {
            const double scale = text.style == ReportText::Style::Note ? 0.85 : 1.0;
            return Lines(text.text, static_cast<int>(CharactersPerLine / scale)) * LineMm * scale + GapMm;
        }
        double operator()(const ReportFactList& list) const
        {
            double lines = 0.0;
            for (const auto& [label, value] : list.facts)
                lines += std::max(Lines(value, FactCharactersPerLine), Lines(label, 30));
            return lines * LineMm + GapMm;
        }
        double operator()(const ReportGrid& grid) const { return GridHeightMm(grid, grid.rows.size()); }
        double operator()(const ReportTimeHistory&) const { return ChartMm + GapMm; }
        double operator()(const ReportDistribution&) const { return DistributionMm + GapMm; }
        double operator()(const ReportPageBreak&) const { return 0.0; }
    };
    return std::visit(Height{}, block);
}

std::vector<ReportSheet> LayOutPages(const std::vector<ReportBlock>& blocks)
{
    std::vector<ReportSheet> pages(1);
    double used = 0.0;
    const auto newPage = [&] {
        if (!pages.back().blocks.empty())
            pages.emplace_back();
        used = 0.0;
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const ReportBlock& block = blocks[i];
        if (std::holds_alternative<ReportPageBreak>(block)) {
            newPage();
            continue;
        }
        if (const auto* grid = std::get_if<ReportGrid>(&block)) {
            // At least a few rows under the heading, or the table starts on the next page.
            const std::size_t firstRows = std::min<std::size_t>(grid->rows.size(), 3);
            if (used > 0.0 && used + GridHeightMm(*grid, firstRows) > Room)
                newPage();
            std::size_t next = 0;
            do {
                const auto fit = static_cast<std::size_t>(
                    std::max(1.0, std::floor((Room - used - GridHeightMm(*grid, 0)) / LineMm + 1e-9)));
                ReportGrid part = *grid;
                part.continued = next > 0;
                const std::size_t take = std::min(fit, grid->rows.size() - next);
                part.rows.assign(grid->rows.begin() + static_cast<std::ptrdiff_t>(next),
                                 grid->rows.begin() + static_cast<std::ptrdiff_t>(next + take));
                next += take;
                used += GridHeightMm(part, part.rows.size());
                pages.back().blocks.push_back(std::move(part));
                if (next < grid->rows.size())
                    newPage();
            } while (next < grid->rows.size());
            continue;
        }
        double height = BlockHeightMm(block);
        // A heading goes with the part after it.
        if (std::holds_alternative<ReportHeading>(block) && i + 1 < blocks.size()
            && !std::holds_alternative<ReportGrid>(blocks[i + 1]))
            height += std::min(BlockHeightMm(blocks[i + 1]), Room / 2.0);
        if (used > 0.0 && used + height > Room)
            newPage();
        used += BlockHeightMm(block);
        pages.back().blocks.push_back(block);
    }
    return pages;
}

#pragma once
#include "leq/LevelDistribution.h"
#include "report/ReportPage.h"

#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

// The parts of a report of several pages, as plain values: what each prints and how much of
// the page it takes, so that the pages are laid out before anything is drawn and a table's
// rows split over pages the same way wherever it is drawn.

// A section's title.
struct ReportHeading {
    QString text;
};

// Words: a paragraph, a smaller note, or a warning that stands out.
struct ReportText {
    enum class Style { Body, Note, Warning };
    QString text;
    Style style = Style::Body;
};

// Labels and their values, one pair a line.
struct ReportFactList {
    ReportFacts facts;
};

// A table whose rows may continue on the next page under its heading, repeated.
struct ReportGrid {
    QString heading;              // over the table, on every page it runs over
    QStringList columns;
    std::vector<double> widths;   // of the columns, in parts of the table's width
    std::vector<QStringList> rows;
    bool continued = false;       // this is the rest of a table begun on an earlier page
};

// The time history, with its exclusions shaded and its events marked.
struct ReportTimeHistory {
    ReportChart chart;
};

// The distribution of levels and its cumulative curve.
struct ReportDistribution {
    std::vector<DistributionRow> rows;
};

// Starts a new page, for a part that has one of its own.
struct ReportPageBreak {};

using ReportBlock = std::variant<ReportHeading, ReportText, ReportFactList, ReportGrid, ReportTimeHistory,
                                 ReportDistribution, ReportPageBreak>;

struct ReportSheet {
    std::vector<ReportBlock> blocks;
};

// The room on an A4 page between its header and footer, and what the parts take, in mm.
namespace ReportLayout {
inline constexpr double PageWidthMm = 210.0;
inline constexpr double PageHeightMm = 297.0;
inline constexpr double LeftMm = 15.0;
inline constexpr double RightMm = 195.0;
inline constexpr double TopMm = 24.0;      // below the header
inline constexpr double BottomMm = 280.0;  // above the footer
inline constexpr double HeadingMm = 10.0;
inline constexpr double LineMm = 4.2;      // a line of body text, a fact, a table row
inline constexpr double GridHeadMm = 5.5;  // a table's column names
inline constexpr double GapMm = 3.0;       // after every part
inline constexpr double ChartMm = 150.0;
inline constexpr double DistributionMm = 95.0;
inline constexpr int CharactersPerLine = 95;      // of body text across the page, at the least
inline constexpr int FactCharactersPerLine = 70;  // of a fact's value
inline constexpr double FactLabelMm = 55.0;
}  // namespace ReportLayout

// The height a part takes on the page, gap included.
double BlockHeightMm(const ReportBlock& block);

// The parts laid out on pages in order: a part goes to the next page when it does not fit,
// a heading stays with what follows it, and a table runs over as many pages as it needs with
// its heading and column names on each.
std::vector<ReportSheet> LayOutPages(const std::vector<ReportBlock>& blocks);

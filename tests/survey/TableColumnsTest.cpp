#include "QStringPrinter.h"
#include "survey/SeriesTables.h"
#include "survey/TableColumns.h"

#include <gtest/gtest.h>

// Every column of every survey table has its description: a window heading with its unit and a
// printed heading, so that a column added to a table and not described is caught here, not by
// a reader of the report.
TEST(TableColumns, EveryColumnOfEverySurveyTableIsDescribed)
{
    ExceedanceEvents found;
    const std::vector<ReportTable> tables = {*PeriodRows({}, 15), DenRows({}, DenSettings{}),
                                             EventRows({}, EventSettings{}, &found), EventSummaryRow(found, EventSettings{}),
                                             HistogramRows({}, 1.0), ExposureRow({}, Weighting::A, Response::Fast)};
    for (const ReportTable& table : tables)
        for (const QString& name : table.columns) {
            SCOPED_TRACE(name.toStdString());
            const TableColumn column = ColumnOf(name);
            EXPECT_NE(column.heading, name);
            EXPECT_TRUE(column.shown || name == "night_l10th_db") << "only the old name of a column is hidden";
            EXPECT_FALSE(column.printed.isEmpty());
            EXPECT_GT(column.width, 0.0);
        }
}

// The PDF prints the shown columns with their units and the table's own headings; the CSV keeps
// the old name of the night's column beside the new one, as its last.
TEST(TableColumns, APrintedGridHasTheShownColumnsAndCellsInOrder)
{
    const ReportTable events{QStringLiteral("events"),
                             {QStringLiteral("event"), QStringLiteral("leq_db"), QStringLiteral("night_l10th_db"),
                              QStringLiteral("night_nth_highest_db")},
                             {{qint64{3}, 61.25, 50.0, ReportCell()}},
                             {{QStringLiteral("night_nth_highest_db"), QStringLiteral("Night Nth highest (n = 7)")}}};
    const ReportGrid grid = PrintedGrid(events, QStringLiteral("Events"));
    EXPECT_EQ(grid.heading, QStringLiteral("Events"));
    EXPECT_EQ(grid.columns, (QStringList{"Event", "Leq dB", "Night Nth highest (n = 7)"}));
    EXPECT_EQ(grid.widths.size(), 3u);
    ASSERT_EQ(grid.rows.size(), 1u);
    EXPECT_EQ(grid.rows[0], (QStringList{"E3", "61.3", QStringLiteral("\u2013")}));

    DenSettings den;
    den.nightRank = 10;
    const ReportTable days = DenRows({}, den);
    EXPECT_EQ(days.columns.back(), "night_nth_highest_db");
    EXPECT_TRUE(days.columns.contains("night_l10th_db"));
    EXPECT_EQ(days.headings.value("night_nth_highest_db"), "Night Nth highest (n = 10)");
}

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
            EXPECT_FALSE(column.printed.isEmpty());
            EXPECT_GT(column.width, 0.0);
        }
}

TEST(TableColumns, APrintedGridHasTheTablesColumnsAndCellsInOrder)
{
    const ReportTable events{QStringLiteral("events"),
                             {QStringLiteral("event"), QStringLiteral("leq_db"), QStringLiteral("night_l10th_db")},
                             {{qint64{3}, 61.25, ReportCell()}}};
    const ReportGrid grid = PrintedGrid(events, QStringLiteral("Events"),
                                        {{QStringLiteral("night_l10th_db"), QStringLiteral("Night L10th")}});
    EXPECT_EQ(grid.heading, QStringLiteral("Events"));
    EXPECT_EQ(grid.columns, (QStringList{"Event", "Leq", "Night L10th"}));
    EXPECT_EQ(grid.widths.size(), 3u);
    ASSERT_EQ(grid.rows.size(), 1u);
    EXPECT_EQ(grid.rows[0], (QStringList{"E3", "61.3", QStringLiteral("\u2013")}));
}

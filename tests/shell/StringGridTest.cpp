#include "shell/ui/StringGrid.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(StringGrid, RowZeroIsTheHeadingAndCellsStayInside)
{
    StringGrid grid(3, 2);
    grid.SetCell(1, 0, QStringLiteral("Date"));
    grid.SetCell(2, 1, QStringLiteral("85.3"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Date"));
    EXPECT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(grid.model()->index(0, 2).data().toString(), QStringLiteral("85.3"));
    grid.SetCell(3, 1, QStringLiteral("beyond"));
    grid.SetCell(0, 2, QStringLiteral("beyond"));
    EXPECT_EQ(grid.Cell(3, 1), QString());
    EXPECT_EQ(grid.Cell(0, -1), QString());
    grid.SetRowCount(40'000);
    grid.SetCell(0, 39'999, QStringLiteral("last"));
    EXPECT_EQ(grid.Cell(0, 39'999), QStringLiteral("last"));
    EXPECT_EQ(grid.Cell(2, 1), QStringLiteral("85.3"));
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1) << "the heading row stays";
}

TEST(StringGrid, WholeRowsReplaceAndAddRowsWithOneNotice)
{
    StringGrid grid(3, 3);
    grid.SetCell(0, 0, QStringLiteral("No"));
    grid.SetCell(0, 1, QStringLiteral("old 1"));
    grid.SetCell(0, 2, QStringLiteral("old 2"));
    QSignalSpy inserted(grid.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);
    grid.SetRows(2, {{QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("c")}, {QStringLiteral("d")}});
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(grid.Cell(0, 1), QStringLiteral("old 1"));
    EXPECT_EQ(grid.Cell(1, 2), QStringLiteral("b"));
    EXPECT_EQ(grid.Cell(0, 4), QStringLiteral("d"));
    EXPECT_EQ(grid.model()->index(3, 0).data().toString(), QStringLiteral("d"));
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(reset.count(), 0);
    grid.SetRows(0, {{QStringLiteral("heading")}});
    grid.SetRows(9, {{QStringLiteral("beyond")}});
    EXPECT_EQ(grid.Cell(0, 0), QStringLiteral("No")) << "the heading is not a row";
    EXPECT_EQ(grid.RowCount(), 5) << "no gap is left";
}

TEST(StringGrid, ClicksNameTheGridRow)
{
    StringGrid grid(2, 3);
    grid.resize(300, 200);
    grid.show();
    QSignalSpy clicked(&grid, &StringGrid::CellClicked);
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 1);
    EXPECT_EQ(clicked[0][1].toInt(), 2);
    EXPECT_EQ(grid.SelectedRow(), 2);
}

}  // namespace

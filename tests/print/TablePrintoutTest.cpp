#include "print/TablePrintout.h"

#include <gtest/gtest.h>

namespace {

QString Blanks(int count)
{
    return QString(count, u' ');
}

QStringList Row(std::initializer_list<const char*> texts)
{
    QStringList row;
    for (const char* text : texts)
        row << QString::fromUtf8(text);
    return row;
}

TEST(TablePrintoutLine, PadsTwoBlanksPerMissingCharacterAndKeepsLongCellsApart)
{
    struct Case {
        QStringList row;
        int columns;
        QString line;
    } cases[] = {
        // A list window's heading, columns 0 to 3.
        {Row({"No", "Date", "Time", "Value", "", "", "last"}), 4,
         "No" + Blanks(16) + "Date" + Blanks(12) + "Time" + Blanks(26) + "Value" + Blanks(10)},
        // A time of 8 characters in column 2 gets 18 blanks; 12 characters in column 1 two.
        {Row({"1", "Wednesday 04", "10:00:00", "Leq"}), 4,
         "1" + Blanks(18) + "Wednesday 04" + Blanks(2) + "10:00:00" + Blanks(18) + "Leq" + Blanks(14)},
        // Texts of the width or longer are followed by two blanks and not cut.
        {Row({"0123456789", "0123456789abc", "01234567890123456", "x"}), 3,
         "0123456789" + Blanks(2) + "0123456789abc" + Blanks(2) + "01234567890123456" + Blanks(2)},
        // Cells missing from a short row print as empty.
        {Row({"9"}), 3, "9" + Blanks(18) + Blanks(20) + Blanks(34)},
        {Row({"only"}), 0, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TablePrintoutLine(c.row, c.columns), c.line) << c.line.toStdString();
}

TEST(LayOutTablePrintout, PrintsEveryColumnThatHoldsAText)
{
    // The LEQ window's table: its last column, the Leq, is printed, and the date stays apart
    // from the time.
    const std::vector<QStringList> leqTable{Row({"No", "Date", "TIME", "SPL", "Leq"}),
                                            Row({"1", "12/10/2026", "10:05:07 AM", "70.1", "70.3"})};
    const std::vector<PrintedPage> leq = LayOutTablePrintout(leqTable, 5, 20, 1000);
    ASSERT_EQ(leq.size(), 1u);
    EXPECT_EQ(leq[0][0].text, TablePrintoutLine(leqTable[0], 5));
    EXPECT_EQ(leq[0][1].text, TablePrintoutLine(leqTable[1], 5));
    EXPECT_TRUE(leq[0][1].text.contains("12/10/2026  10:05:07 AM"));
    EXPECT_TRUE(leq[0][1].text.trimmed().endsWith("70.3"));

    // A list window's grid of 7 columns holding 4, and a text in a later column of one row.
    const struct {
        std::vector<QStringList> rows;
        int printed;
    } grids[] = {
        {{Row({"No", "Date", "Time", "Value"}), Row({"1", "3/4/2023", "10:00:00 AM", "60.5", "", ""})}, 4},
        {{Row({"No", "Date"}), Row({"1", "3/4/2023", "", "", "", "", "note"})}, 7},
        {{Row({"", ""}), Row({})}, 0},
    };
    for (const auto& grid : grids) {
        EXPECT_EQ(PrintedColumns(grid.rows, 7), grid.printed);
        EXPECT_EQ(LayOutTablePrintout(grid.rows, 7, 20, 1000)[0][1].text, TablePrintoutLine(grid.rows[1], grid.printed));
    }
    EXPECT_EQ(PrintedColumns({Row({"a", "b", "c"})}, 2), 2) << "never more than the grid's columns";
}

TEST(LayOutTablePrintout, BreaksPagesEveryLinesPerPageRows)
{
    const int h = 20;
    const int pageHeight = 110;  // L = 5
    const auto rows = [](int count) {
        std::vector<QStringList> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back({QString::number(i), QStringLiteral("d")});
        return rows;
    };

    const std::vector<PrintedPage> five = LayOutTablePrintout(rows(5), 2, h, pageHeight);
    ASSERT_EQ(five.size(), 1u) << "L rows fit on one page";
    std::vector<int> ys;
    for (const PrintedLine& line : five[0])
        ys.push_back(line.y);
    EXPECT_EQ(ys, (std::vector<int>{20, 40, 60, 80, 100}));
    EXPECT_EQ(five[0][0].text, "0" + Blanks(18) + "d" + Blanks(18));

    const std::vector<PrintedPage> six = LayOutTablePrintout(rows(6), 2, h, pageHeight);
    ASSERT_EQ(six.size(), 2u);
    ASSERT_EQ(six[1].size(), 1u) << "L + 1 rows give a second page of one line";
    EXPECT_EQ(six[1][0].y, h);
    EXPECT_EQ(six[1][0].text, "5" + Blanks(18) + "d" + Blanks(18));

    EXPECT_EQ(LayOutTablePrintout(rows(11), 2, h, pageHeight).size(), 3u);
    EXPECT_TRUE(LayOutTablePrintout({}, 2, h, pageHeight).empty());
}

TEST(LayOutTablePrintout, APageLowerThanALineStillTakesOne)
{
    const std::vector<PrintedPage> pages =
        LayOutTablePrintout({{QStringLiteral("a")}, {QStringLiteral("b")}}, 2, 20, 10);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1][0].y, 20);
    EXPECT_EQ(LayOutTablePrintout({{QStringLiteral("a")}}, 2, 0, 0).size(), 1u) << "no line height";
}

}  // namespace

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

TEST(TablePrintoutLine, PadsTwoBlanksPerMissingCharacterAndLeavesTheLastColumnOut)
{
    struct Case {
        QStringList row;
        int columns;
        QString line;
    } cases[] = {
        // A list window's heading: columns 0 to 5 of 7.
        {Row({"No", "Date", "Time", "Value", "", "", "last"}), 7,
         "No" + Blanks(16) + "Date" + Blanks(12) + "Time" + Blanks(26) + "Value" + Blanks(10) + Blanks(20) + Blanks(20)},
        // A time of 8 characters in column 2 gets 18 blanks; 12 characters in column 1 none.
        {Row({"1", "Wednesday 04", "10:00:00", "Leq"}), 4,
         "1" + Blanks(18) + "Wednesday 04" + "10:00:00" + Blanks(18)},
        // Texts of the width or longer are neither padded nor cut.
        {Row({"0123456789", "0123456789abc", "01234567890123456", "x"}), 4,
         QStringLiteral("0123456789" "0123456789abc" "01234567890123456")},
        // Cells missing from a short row print as empty.
        {Row({"9"}), 3, "9" + Blanks(18) + Blanks(20)},
        {Row({"only"}), 1, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TablePrintoutLine(c.row, c.columns), c.line) << c.line.toStdString();
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
    EXPECT_EQ(five[0][0].text, "0" + Blanks(18));

    const std::vector<PrintedPage> six = LayOutTablePrintout(rows(6), 2, h, pageHeight);
    ASSERT_EQ(six.size(), 2u);
    ASSERT_EQ(six[1].size(), 1u) << "L + 1 rows give a second page of one line";
    EXPECT_EQ(six[1][0].y, h);
    EXPECT_EQ(six[1][0].text, "5" + Blanks(18));

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

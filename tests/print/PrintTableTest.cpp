#include "print/ui/PrintTable.h"

#include "FakePrompts.h"
#include "print/ui/SharedPrinter.h"
#include "shell/ui/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Prints to a PDF file in place of paper.
class PrintTableTest : public ::testing::Test {
protected:
    PrintTableTest()
    {
        SharedPrinter().setOutputFormat(QPrinter::PdfFormat);
        SharedPrinter().setOutputFileName(pdf);
    }
    ~PrintTableTest() override { SharedPrinter().setOutputFileName(QString()); }

    void Fill(int rows)
    {
        const char* headings[] = {"No", "Date", "Time", "Value"};
        for (int column = 0; column < 4; ++column)
            grid.SetCell(column, 0, QString::fromLatin1(headings[column]));
        grid.SetRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row) {
            grid.SetCell(0, row, QString::number(row));
            grid.SetCell(1, row, QStringLiteral("3/4/2023"));
            grid.SetCell(2, row, QStringLiteral("10:%1:00 AM").arg(row % 60, 2, 10, QChar(u'0')));
            grid.SetCell(3, row, QStringLiteral("%1.5").arg(40 + row % 50));
            grid.SetCell(6, row, QStringLiteral("never printed"));
        }
    }

    static int Pages(const QByteArray& pdf)
    {
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page\\b(?!s)"));
        int count = 0;
        for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
            ++count;
        return count;
    }

    QByteArray Printed() const
    {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    ScopedFakePrompts fake;
    StringGrid grid{7, 2};
};

TEST_F(PrintTableTest, ATablePrintsToPdfOnAsManyPagesAsItNeeds)
{
    Fill(3);
    fake.prompts.printAnswers = {true};
    EXPECT_TRUE(PrintTable(grid));
    EXPECT_EQ(fake.prompts.printDialogs, 1);
    const QByteArray small = Printed();
    EXPECT_GT(small.size(), 1000);
    EXPECT_EQ(Pages(small), 1);

    Fill(400);
    fake.prompts.printAnswers = {true};
    EXPECT_TRUE(PrintTable(grid));
    EXPECT_GT(Pages(Printed()), 3) << "a 10 pt line on an A4 or Letter page takes some 60 rows";
}

TEST_F(PrintTableTest, ACancelledDialogPrintsNothing)
{
    Fill(3);
    fake.prompts.printAnswers = {false};
    EXPECT_FALSE(PrintTable(grid));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintTableTest, APrinterThatCannotStartIsNamed)
{
    Fill(3);
    const QString nowhere = dir.filePath(QStringLiteral("missing/table.pdf"));
    SharedPrinter().setOutputFileName(nowhere);
    fake.prompts.printAnswers = {true};
    EXPECT_FALSE(PrintTable(grid));
    ASSERT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_TRUE(fake.prompts.Errors()[0].contains(QDir::toNativeSeparators(nowhere)));
}

}  // namespace

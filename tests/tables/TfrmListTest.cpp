#include "files/ImportTextLines.h"
#include "files/ui/TfrmScope.h"
#include "ListWindowFixture.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/StringGrid.h"
#include "tables/ui/ImportText.h"
#include "tables/ui/TfrmList.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace {

using ImportTextTest = ListWindowTest;

std::unique_ptr<TfrmList> Import(const QString& path, const char* extension)
{
    return std::unique_ptr<TfrmList>(ImportText(path, QString::fromLatin1(extension)));
}

TEST(TfrmList, HoldsOneGridAndFreesItselfWhenClosed)
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    QPointer<TfrmList> list = new TfrmList;
    EXPECT_STREQ(list->metaObject()->className(), "TfrmList");
    StringGrid* grid = list->findChild<StringGrid*>(QStringLiteral("Grid1"));
    ASSERT_EQ(grid, list->Grid1);
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->rowHeight(0), 18);
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::ContiguousSelection);
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    const QStringList headings = {grid->Cell(0, 0), grid->Cell(1, 0), grid->Cell(2, 0), grid->Cell(3, 0), grid->Cell(4, 0)};
    EXPECT_EQ(headings, (QStringList{"No", "Date", "Time", "Value", ""}));

    QMdiSubWindow* child = list->ShowInArea(&area);
    EXPECT_TRUE(list->isVisible());
    child->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(list.isNull());
}

TEST_F(ImportTextTest, AHeadingLineGivesTheHeadingsAndTheLastLineNeedsNoBreak)
{
    const QString path = WriteFile(QStringLiteral("a.txt"),
                                   "Date\tTime\tLevel\r\n3/4/2023\t10:00:00 AM\t50.5\r\n3/4/2023\t10:00:01 AM\t51.0");
    const auto list = Import(path, ".txt");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Caption(), path);
    const StringGrid& grid = *list->Grid1;
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cell(3, 0), "Level");
    EXPECT_EQ(grid.Cell(1, 0), "Date");
    EXPECT_EQ(grid.Rows()[2], (QStringList{"2", "3/4/2023", "10:00:01 AM", "51.0"}));
    EXPECT_EQ(list->firstLine, 2) << "row 1 is the file's line 2";
    EXPECT_TRUE(grid.updatesEnabled());
}

TEST_F(ImportTextTest, ASecondValueGivesTheLeqHeadings)
{
    const QString path = WriteFile(QStringLiteral("leq.TXT"), "3/4/2023\t10:00:00 AM\t50.5\t50.5\t\r\n"
                                                              "3/4/2023\t10:00:01 AM\t60.5\t57.9\t\r\n");
    const auto list = Import(path, ".TXT");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Grid1->Rows()[0], (QStringList{"No", "Date", "Time", "SPL", "Leq"}));
    EXPECT_EQ(list->Grid1->Cell(4, 2), QStringLiteral("57.9"));
}

TEST_F(ImportTextTest, ALongLineIsCutAndEndsTheImport)
{
    const QByteArray longLine = "3/4/2023\t10:00:01 AM\t" + QByteArray(200, 'x');
    const QString path = WriteFile(QStringLiteral("long.txt"),
                                   "3/4/2023\t10:00:00 AM\t50.5\r\n" + longLine + "\r\n3/4/2023\t10:00:02 AM\t51.0\r\n");
    const auto list = Import(path, ".txt");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Grid1->RowCount(), 3);
    EXPECT_EQ(list->Grid1->Cell(3, 2), QString(ImportLineLimit - 21, u'x'));
}

TEST_F(ImportTextTest, CancelKeepsTheRowsReadSoFar)
{
    QByteArray lines;
    for (int i = 0; i < 2000; ++i)
        lines += "3/4/2023\t10:00:00 AM\t50.5\r\n";
    const QString path = WriteFile(QStringLiteral("many.txt"), lines);
    // Cancel is pressed the first time the window system runs, while row 1 is read.
    QString caption;
    QString status;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* scope = qobject_cast<TfrmScope*>(top); scope && scope->isVisible()) {
                caption = scope->windowTitle();
                status = scope->SText1->text();
                scope->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
            }
    });
    const auto list = Import(path, ".txt");
    EXPECT_EQ(caption, QStringLiteral("Open Progress"));
    EXPECT_EQ(status, QStringLiteral("1"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Grid1->RowCount(), 2) << "row 1 was read; row 2 saw the Cancel";
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TfrmScope*>(top) && top->isVisible()) << "the progress window is closed";
}

// A window closed while the rows are read (the program quitting, say) ends the import as
// Cancel does, and closes once the import has returned.
TEST_F(ImportTextTest, AWindowClosedWhileReadingEndsTheImportAndClosesAfterIt)
{
    QByteArray lines;
    for (int i = 0; i < 2000; ++i)
        lines += "3/4/2023\t10:00:00 AM\t50.5\r\n";
    const QString path = WriteFile(QStringLiteral("many.txt"), lines);
    QObject closing;
    bool putOff = false;
    bool closedAgain = false;
    QTimer::singleShot(0, [&] { putOff = PutOffWhileLongTask(closing, true, [&] { closedAgain = true; }); });
    const auto list = Import(path, ".txt");
    EXPECT_TRUE(putOff) << "the close waits for the import";
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Grid1->RowCount(), 2) << "row 1 was read; row 2 saw the close";
    EXPECT_FALSE(closedAgain) << "not while the import's caller still holds its windows";
    QCoreApplication::processEvents();
    EXPECT_TRUE(closedAgain);
}

TEST_F(ImportTextTest, AFileWithoutRowsIsNamedAndMakesNoWindow)
{
    struct Case {
        QString path;
        const char* says;
    } cases[] = {
        {Path(QStringLiteral("missing.txt")), "Cannot open the file"},
        {WriteFile(QStringLiteral("empty.txt"), ""), "holds no data"},
        {WriteFile(QStringLiteral("words.txt"), "just some words\r\n3/4/2023\t10:00:00 AM\t50.5\r\n"), "holds no data"},
        {WriteFile(QStringLiteral("tabs.csv"), "3/4/2023\t10:00:00 AM\t50.5\r\n"), "holds no data"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Import(c.path, c.path.endsWith(QStringLiteral("csv")) ? ".csv" : ".txt"), nullptr);
        const QStringList errors = fake.prompts.TakeErrors();
        ASSERT_EQ(errors.size(), 1) << c.path.toStdString();
        EXPECT_TRUE(errors[0].contains(QString::fromLatin1(c.says))) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(c.path))) << errors[0].toStdString();
    }
}

}  // namespace

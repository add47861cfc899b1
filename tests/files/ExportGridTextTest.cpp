#include "files/ui/ExportGridText.h"

#include "FakePrompts.h"
#include "files/ui/TfrmScope.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/StringGrid.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ExportGridTextTest : public ::testing::Test {
protected:
    ExportGridTextTest()
    {
        const char* headings[] = {"No", "Date", "Time", "Value"};
        for (int column = 0; column < 4; ++column)
            grid.SetCell(column, 0, QString::fromLatin1(headings[column]));
    }
    ~ExportGridTextTest() override { QLocale::setDefault(locale); }

    void Fill(int rows, const QString& value = QStringLiteral("50.5"))
    {
        grid.SetRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row) {
            grid.SetCell(0, row, QString::number(row));
            grid.SetCell(1, row, QStringLiteral("3/4/2023"));
            grid.SetCell(2, row, QStringLiteral("10:00:%1 AM").arg(row % 60, 2, 10, QChar(u'0')));
            grid.SetCell(3, row, value);
        }
    }

    QString Path(const QString& name) const { return environment.DocumentsDir() + u'/' + name; }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void AnswerRange(bool all, const QString& from = QString(), const QString& to = QString(),
                     int result = QDialog::Accepted)
    {
        fake.prompts.onModal = [=, this](QDialog& dialog) {
            auto& scope = dynamic_cast<TfrmScope&>(dialog);
            EXPECT_EQ(scope.windowTitle(), QStringLiteral("Save File"));
            EXPECT_EQ(scope.edtSelTo->text(), QString::number(grid.RowCount() - 1));
            scope.radAll->setChecked(all);
            scope.radNo->setChecked(!all);
            scope.edtSelFrom->setText(from);
            scope.edtSelTo->setText(to);
            return result;
        };
    }

    QLocale locale;
    TestEnvironment environment;
    ScopedFakePrompts fake;
    StringGrid grid{7, 2};
};

TEST_F(ExportGridTextTest, TheNameChoosesTheSeparator)
{
    Fill(2);
    AnswerRange(true);
    fake.prompts.fileNames = {Path(QStringLiteral("a.txt")), Path(QStringLiteral("b.CSV")), Path(QStringLiteral("c"))};
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_TRUE(fake.prompts.lastFilters.contains(QStringLiteral("EXCEL file format(*.csv,seperated by comma) ")));
    EXPECT_EQ(Read(Path(QStringLiteral("a.txt"))),
              QByteArray("3/4/2023\t10:00:01 AM\t50.5\t\t\t\t\r\n3/4/2023\t10:00:02 AM\t50.5\t\t\t\t\r\n"));
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_EQ(Read(Path(QStringLiteral("b.CSV"))),
              QByteArray("3/4/2023,10:00:01 AM,50.5,,,,\r\n3/4/2023,10:00:02 AM,50.5,,,,\r\n"));
    EXPECT_TRUE(ExportGridText(grid)) << "a name without extension becomes a TXT";
    EXPECT_TRUE(Read(Path(QStringLiteral("c.TXT"))).startsWith("3/4/2023\t"));
}

TEST_F(ExportGridTextTest, UnderACommaLocaleCsvIsNotOfferedButATypedOneHasDecimalPoints)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Fill(1, QStringLiteral("50,5"));
    AnswerRange(true);
    fake.prompts.fileNames = {Path(QStringLiteral("x.csv")), Path(QStringLiteral("y.txt"))};
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_EQ(fake.prompts.lastFilters, QStringLiteral(" TXT file(*.txt,data seperated by tab) (*.TXT *.txt)"));
    EXPECT_EQ(Read(Path(QStringLiteral("x.csv"))), QByteArray("3/4/2023,10:00:01 AM,50.5,,,,\r\n"));
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_EQ(Read(Path(QStringLiteral("y.txt"))), QByteArray("3/4/2023\t10:00:01 AM\t50,5\t\t\t\t\r\n"));
}

TEST_F(ExportGridTextTest, TheRangeCoversTheDataRows)
{
    Fill(5);
    const QString path = Path(QStringLiteral("r.txt"));
    fake.prompts.fileNames = {path, path, Path(QStringLiteral("n.txt")), Path(QStringLiteral("c.txt")), QString()};
    AnswerRange(false, QStringLiteral("4"), QStringLiteral("-2"));
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_EQ(Read(path).count("\r\n"), 3);
    EXPECT_TRUE(Read(path).startsWith("3/4/2023\t10:00:02 AM"));

    AnswerRange(false, QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_TRUE(Read(path).isEmpty());

    AnswerRange(false, QStringLiteral("one"), QStringLiteral("3"));
    EXPECT_FALSE(ExportGridText(grid));
    EXPECT_EQ(fake.prompts.TakeErrors(), QStringList{QStringLiteral("invalid integer")});
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("n.txt"))));

    AnswerRange(true, {}, {}, QDialog::Rejected);
    EXPECT_FALSE(ExportGridText(grid));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("c.txt"))));

    EXPECT_FALSE(ExportGridText(grid)) << "a cancelled file dialog";
}

TEST_F(ExportGridTextTest, AFileThatCannotBeWrittenIsNamed)
{
    Fill(1);
    AnswerRange(true);
    fake.prompts.fileNames = {Path(QStringLiteral("missing/t.txt"))};
    EXPECT_FALSE(ExportGridText(grid));
    ASSERT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_TRUE(fake.prompts.Errors()[0].contains(QDir::toNativeSeparators(Path(QStringLiteral("missing/t.txt")))));
}

TEST_F(ExportGridTextTest, TheExportWritesTheRowsAsTheyWereWhenItStarted)
{
    Fill(1200);
    const QString path = Path(QStringLiteral("long.txt"));
    AnswerRange(true);
    fake.prompts.fileNames = {path};
    // While the lines are written, the window system runs and the table changes.
    QTimer::singleShot(0, [this] { grid.SetCell(3, 1000, QStringLiteral("changed")); grid.SetRowCount(2); });
    EXPECT_TRUE(ExportGridText(grid));
    const QByteArray written = Read(path);
    EXPECT_EQ(written.count("\r\n"), 1200);
    EXPECT_FALSE(written.contains("changed"));
}

// A window closed while the file is written (the program quitting, say) waits for the save the
// user asked for, and closes once it is done.
TEST_F(ExportGridTextTest, AWindowClosedWhileSavingClosesOnceTheFileIsSaved)
{
    Fill(1200);
    const QString path = Path(QStringLiteral("long.txt"));
    AnswerRange(true);
    fake.prompts.fileNames = {path};
    QObject closing;
    bool putOff = false;
    bool closedAgain = false;
    QTimer::singleShot(0, [&] { putOff = PutOffWhileLongTask(closing, true, [&] { closedAgain = true; }); });
    EXPECT_TRUE(ExportGridText(grid));
    EXPECT_TRUE(putOff) << "the close waits for the save";
    EXPECT_EQ(Read(path).count("\r\n"), 1200) << "the stop a closing window asks for abandons no save";
    EXPECT_FALSE(closedAgain);
    QCoreApplication::processEvents();
    EXPECT_TRUE(closedAgain);
}

TEST_F(ExportGridTextTest, ACancelledExportLeavesThePreviousFileAndIsNoSave)
{
    Fill(1200);
    const QString path = Path(QStringLiteral("long.txt"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the earlier export");
    old.close();
    AnswerRange(true);
    fake.prompts.fileNames = {path};
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* scope = qobject_cast<TfrmScope*>(top); scope && scope->isVisible())
                scope->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    });
    EXPECT_FALSE(ExportGridText(grid));
    EXPECT_EQ(Read(path), QByteArray("the earlier export"));
    EXPECT_EQ(QDir(environment.DocumentsDir()).entryList({QStringLiteral("long*")}, QDir::Files),
              QStringList{QStringLiteral("long.txt")});
}

}  // namespace

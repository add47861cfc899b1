#include "GraphWindowFixture.h"

#include "files/ui/TfrmScope.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/Tslider2.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

class GraphFileCommandsTest : public GraphWindowTest {
protected:
    QString Path(const QString& name) const { return environment.DocumentsDir() + u'/' + name; }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Answers the range window: All, or the two boxes.
    void AnswerRange(bool all, const QString& from = QString(), const QString& to = QString(),
                     int result = QDialog::Accepted)
    {
        fake.prompts.onModal = [=](QDialog& dialog) {
            auto& scope = dynamic_cast<TfrmScope&>(dialog);
            EXPECT_EQ(scope.windowTitle(), QStringLiteral("Save File"));
            scope.radAll->setChecked(all);
            scope.radNo->setChecked(!all);
            if (!all) {
                scope.edtSelFrom->setText(from);
                scope.edtSelTo->setText(to);
            }
            return result;
        };
    }
};

TEST_F(GraphFileCommandsTest, AGraphFileReadsBackIdentical)
{
    Fill({61.5f, 9999.0f, 72.25f, 80.0f});
    PESGraph& chart = *window->PESGraph1;
    chart.State().MainTitle = QStringLiteral("Boiler room");
    chart.State().SubsetColors[0] = PEargb(255, 0, 128, 0);
    chart.SetGraphAnnotation(5, {2, At(10, 0, 1), 70.0, QString(), PEargb(255, 0, 0, 255)});
    chart.SetGraphAnnotation(6, {0, At(10, 0, 2), 75.0, QStringLiteral("fan on"), PEargb(255, 0, 0, 0)});
    window->txtSamplingRate->setEditText(QStringLiteral("30.0"));
    ASSERT_TRUE(WriteGraphFile(chart, Path(QStringLiteral("a.ghf"))));

    std::unique_ptr<TfrmGraph> opened(OpenGraphWindow(Path(QStringLiteral("a.ghf")), services));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->PESGraph1->State(), chart.State());
    EXPECT_EQ(opened->windowTitle(), Path(QStringLiteral("a.ghf")));
    // The statistics are recomputed, not carried.
    EXPECT_EQ(opened->txtSamplingRate->currentText(), QStringLiteral("0.8"));
    EXPECT_EQ(opened->txtDataNo->text(), QStringLiteral("4"));
    EXPECT_EQ(opened->Slider1->Maximum(), 3);
    EXPECT_TRUE(fake.prompts.Errors().isEmpty());
}

TEST_F(GraphFileCommandsTest, ADamagedGraphFileMakesNoWindow)
{
    Fill({50, 60});
    const QString good = Path(QStringLiteral("good.ghf"));
    ASSERT_TRUE(WriteGraphFile(*window->PESGraph1, good));
    const QByteArray bytes = Read(good);
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"truncated.ghf", bytes.left(bytes.size() - 5)},
        {"huge.ghf", QByteArray("\xff\xff\xff\x7f", 4) + bytes.mid(4)},
        {"magic.ghf", bytes.left(4) + QByteArray("JUNK") + bytes.mid(8)},
        {"counts.ghf", [&] {  // the block's size agrees with the file, the inner counts do not
             QByteArray b = bytes;
             b.chop(4);
             b[0] = static_cast<char>(b[0] - 4);
             return b;
         }()},
    };
    for (const Case& c : cases) {
        const QString path = Path(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        EXPECT_EQ(OpenGraphWindow(path, services), nullptr) << c.name;
        const QStringList errors = fake.prompts.TakeErrors();
        ASSERT_EQ(errors.size(), 1) << c.name;
        EXPECT_TRUE(errors[0].contains(QString::fromLatin1(c.name))) << c.name;
    }
}

TEST_F(GraphFileCommandsTest, ADamagedTemplateIsReportedAndTheDefaultLookUsed)
{
    QDir().mkpath(environment.ProgramDir() + QStringLiteral("/template"));
    QFile file(TemplatePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("03000000") + "abc");
    file.close();
    Fill({50, 60});
    EXPECT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_EQ(window->PESGraph1->State().XAxisLabel, QStringLiteral("Time"));
    EXPECT_EQ(window->PESGraph1->Points(), 2);
}

TEST_F(GraphFileCommandsTest, SavingRoutesByTheLowerCasedExtension)
{
    Fill({50, 60});
    AnswerRange(true);
    fake.prompts.fileNames = {Path(QStringLiteral("A.GHF")), Path(QStringLiteral("b.TXT")),
                              Path(QStringLiteral("c.csv")), Path(QStringLiteral("d.dat")), QString()};
    EXPECT_TRUE(SaveGraph(*window));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("A.GHF"))));
    EXPECT_TRUE(SaveGraph(*window));
    EXPECT_EQ(Read(Path(QStringLiteral("b.TXT"))),
              QByteArray("3/4/2023\t10:00:00 AM\t50.0\r\n3/4/2023\t10:00:01 AM\t60.0\r\n"));
    EXPECT_TRUE(SaveGraph(*window));
    EXPECT_EQ(Read(Path(QStringLiteral("c.csv"))),
              QByteArray("3/4/2023,10:00:00 AM,50.0\r\n3/4/2023,10:00:01 AM,60.0\r\n"));
    EXPECT_FALSE(SaveGraph(*window));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("d.dat"))));
    EXPECT_EQ(fake.prompts.TakeErrors().size(), 1) << "and says that nothing was saved";
    EXPECT_FALSE(SaveGraph(*window)) << "a cancelled dialog writes nothing";
    EXPECT_TRUE(fake.prompts.lastFilters.contains(QStringLiteral("EXCEL file format(*.CSV,seperated by comma)")));
}

TEST_F(GraphFileCommandsTest, CommaLocaleOffersNoCsvButWritesTypedCsvWithCommasAndDecimalPoints)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Fill({50.5f, 60});
    AnswerRange(true);
    fake.prompts.fileNames = {Path(QStringLiteral("x.csv")), Path(QStringLiteral("y.txt"))};
    EXPECT_TRUE(SaveGraph(*window));
    EXPECT_FALSE(fake.prompts.lastFilters.contains(QStringLiteral("CSV")));
    EXPECT_TRUE(fake.prompts.lastFilters.contains(QStringLiteral("TXT file(*.txt,data seperated by tab)")));
    EXPECT_TRUE(SaveGraph(*window));
    QLocale::setDefault(before);
    EXPECT_EQ(Read(Path(QStringLiteral("x.csv"))),
              QByteArray("04.03.2023,10:00:00,50.5\r\n04.03.2023,10:00:01,60.0\r\n"));
    EXPECT_EQ(Read(Path(QStringLiteral("y.txt"))),
              QByteArray("04.03.2023\t10:00:00\t50,5\r\n04.03.2023\t10:00:01\t60,0\r\n"));
}

TEST_F(GraphFileCommandsTest, TextExportRangeRules)
{
    Fill({1, 2, 3, 4, 5});
    const QString path = Path(QStringLiteral("r.txt"));
    AnswerRange(false, QStringLiteral("4"), QStringLiteral("-2"));
    EXPECT_TRUE(ExportGraphText(*window->PESGraph1, path, u'\t'));
    EXPECT_EQ(Read(path).count("\r\n"), 3);
    EXPECT_TRUE(Read(path).startsWith("3/4/2023\t10:00:01 AM\t2.0"));

    AnswerRange(false, QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(ExportGraphText(*window->PESGraph1, path, u'\t'));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(Read(path).isEmpty());

    AnswerRange(false, QStringLiteral("one"), QStringLiteral("3"));
    EXPECT_FALSE(ExportGraphText(*window->PESGraph1, Path(QStringLiteral("n.txt")), u'\t'));
    EXPECT_EQ(fake.prompts.Errors(), QStringList{QStringLiteral("invalid integer")});
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("n.txt"))));

    AnswerRange(true, {}, {}, QDialog::Rejected);
    EXPECT_FALSE(ExportGraphText(*window->PESGraph1, Path(QStringLiteral("c.txt")), u'\t'));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("c.txt"))));
}

TEST_F(GraphFileCommandsTest, AFileThatCannotBeWrittenIsNamedInAnError)
{
    Fill({1, 2});
    AnswerRange(true);
    const QString folder = Path(QStringLiteral("missing/"));
    fake.prompts.fileNames = {folder + QStringLiteral("g.ghf"), folder + QStringLiteral("t.txt")};
    EXPECT_FALSE(SaveGraph(*window));
    EXPECT_FALSE(SaveGraph(*window));
    ASSERT_EQ(fake.prompts.Errors().size(), 2);
    EXPECT_TRUE(fake.prompts.Errors()[0].contains(QStringLiteral("g.ghf")));
    EXPECT_TRUE(fake.prompts.Errors()[1].contains(QStringLiteral("t.txt")));
}

TEST_F(GraphFileCommandsTest, ANameTypedWithoutExtensionIsReplacedOnlyAfterYes)
{
    Fill({50, 60});
    const QString existing = Path(QStringLiteral("run1.GHF"));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("yesterday's run");
    old.close();
    const QString graphFilter = QStringLiteral("Graph file(*.ghf,only for QX574) (*.GHF *.ghf)");

    fake.prompts.fileNames = {Path(QStringLiteral("run1"))};
    fake.prompts.selectedFilters = {graphFilter};
    fake.prompts.answers = {Prompts::Answer::No};
    EXPECT_FALSE(SaveGraph(*window));
    ASSERT_EQ(fake.prompts.questions.size(), 1);
    EXPECT_TRUE(fake.prompts.questions[0].contains(QStringLiteral("run1.GHF already exists")));
    EXPECT_EQ(fake.prompts.questionDefaults.front(), Prompts::Answer::No) << "Enter keeps the old file";
    EXPECT_EQ(Read(existing), QByteArray("yesterday's run"));

    fake.prompts.fileNames = {Path(QStringLiteral("run1"))};
    fake.prompts.selectedFilters = {graphFilter};
    fake.prompts.answers = {Prompts::Answer::Yes};
    EXPECT_TRUE(SaveGraph(*window));
    EXPECT_NE(Read(existing), QByteArray("yesterday's run"));

    fake.prompts.fileNames = {Path(QStringLiteral("run2"))};
    EXPECT_TRUE(SaveGraph(*window)) << "a new name asks nothing";
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("run2.GHF"))));
}

TEST_F(GraphFileCommandsTest, ACancelledExportLeavesThePreviousFileAndIsNoSave)
{
    std::vector<float> levels(1200, 70.0f);
    Fill(levels);
    const QString path = Path(QStringLiteral("long.txt"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the earlier export");
    old.close();
    AnswerRange(true);
    // Cancel is pressed while the lines are written: the first time the window system runs.
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* scope = qobject_cast<TfrmScope*>(top); scope && scope->isVisible())
                scope->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    });
    EXPECT_FALSE(ExportGraphText(*window->PESGraph1, path, u'\t'));
    EXPECT_EQ(Read(path), QByteArray("the earlier export"));
    EXPECT_TRUE(QDir(environment.DocumentsDir()).entryList({QStringLiteral("long*")}, QDir::Files)
                    == QStringList{QStringLiteral("long.txt")})
        << "no partial file is left beside it";
}

}  // namespace

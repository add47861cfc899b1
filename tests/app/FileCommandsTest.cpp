#include "files/ui/TfrmOpenSave.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "MainWindowFixture.h"
#include "panel/ui/TfrmPanel.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"
#include "tables/ui/TfrmList.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

class FileCommandsTest : public MainWindowFixture {
protected:
    void SetUp() override { StartMainWindow(); }
    QList<TfrmGraph*> Graphs()
    {
        QList<TfrmGraph*> graphs;
        for (QMdiSubWindow* sub : window->MdiArea()->subWindowList())
            if (auto* graph = qobject_cast<TfrmGraph*>(sub->widget()))
                graphs << graph;
        return graphs;
    }
    // Answers the Open chooser with "single file" and the file dialog with path.
    void Open(const QString& path)
    {
        prompts.prompts.onModal = [](QDialog& dialog) {
            auto& chooser = dynamic_cast<TfrmOpenSave&>(dialog);
            EXPECT_EQ(chooser.windowTitle(), "Open File");
            EXPECT_EQ(chooser.btnOpenSingleSet->text(), "Open single data file(*.TXT,*.CSV,*.GHF)");
            return TfrmOpenSave::SingleResult;
        };
        prompts.prompts.fileNames = {path};
        window->Open1Click();
    }
};

}  // namespace

TEST_F(FileCommandsTest, SaveThenOpenGivesTheSameGraphInANewWindow)
{
    TfrmGraph& realTime = *window->RealTimeGraph();
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(realTime.parentWidget()));
    PESGraph& chart = *realTime.PESGraph1;
    chart.SetSize(1, 3);
    for (int i = 0; i < 3; ++i)
        chart.SetPoint(0, i, 45000.5 + i * OneSecond, 60.0f + static_cast<float>(i));
    const QString path = env.DocumentsDir() + "/walk.GHF";
    prompts.prompts.fileNames = {path};
    window->Save1Click();
    ASSERT_TRUE(QFile::exists(path));

    Open(path);
    ASSERT_EQ(Graphs().size(), 2);
    TfrmGraph* opened = Graphs().last();
    EXPECT_EQ(opened->windowTitle(), path);
    EXPECT_EQ(opened->PESGraph1->Points(), 3);
    EXPECT_FLOAT_EQ(opened->PESGraph1->YData(0, 2), 62.0f);
    EXPECT_EQ(opened->txtDataNo->text(), "3");
    EXPECT_EQ(opened->parentWidget()->pos(), QPoint(0, 0));
}

TEST_F(FileCommandsTest, DamagedOrForeignFilesOpenNoWindow)
{
    const QString damaged = env.DocumentsDir() + "/broken.ghf";
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff\xff\xff\x7f garbage", 12);
    file.close();
    Open(damaged);
    EXPECT_EQ(Graphs().size(), 1);
    ASSERT_EQ(prompts.prompts.Errors().size(), 1);
    EXPECT_TRUE(prompts.prompts.Errors()[0].contains("broken.ghf"));

    Open(env.DocumentsDir() + "/notes.dat");
    Open(QString());  // cancelled
    EXPECT_EQ(Graphs().size(), 1);
}

// A pipe would hold the window's only thread until a writer came: it is refused at once, by name.
TEST_F(FileCommandsTest, APipeIsRefusedWithoutWaitingForAWriter)
{
    const int windows = window->MdiArea()->subWindowList().size();
    for (const char* name : {"/pipe.ghf", "/pipe.csv"}) {
        const QString path = env.DocumentsDir() + name;
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        Open(path);
        const QStringList errors = prompts.prompts.TakeErrors();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(name + 1) && errors[0].contains("pipe or a device")) << errors[0].toStdString();
    }
    const QString collection = env.DocumentsDir() + "/pipe.REC";
    ASSERT_EQ(::mkfifo(QFile::encodeName(collection).constData(), 0600), 0);
    window->OpenFiles({collection});
    EXPECT_TRUE(prompts.prompts.TakeErrors().value(0).contains("pipe.REC"));
    EXPECT_EQ(window->MdiArea()->subWindowList().size(), windows) << "no window opens";
}

TEST_F(FileCommandsTest, CancelledChooserOpensNothing)
{
    prompts.prompts.onModal = [](QDialog&) { return TfrmOpenSave::CancelResult; };
    window->Open1Click();  // a file dialog after Cancel would be unscripted and fail the test
    EXPECT_EQ(prompts.prompts.modalRuns, 1);
}

TEST_F(FileCommandsTest, AGraphSavedAsTextOpensAsAListThatGraphsTheSameLevels)
{
    TfrmGraph& realTime = *window->RealTimeGraph();
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(realTime.parentWidget()));
    PESGraph& chart = *realTime.PESGraph1;
    chart.SetSize(1, 3);
    for (int i = 0; i < 3; ++i)
        chart.SetPoint(0, i, 45000.5 + i * OneSecond, 60.5f + static_cast<float>(i));
    const QString path = env.DocumentsDir() + "/walk.csv";
    prompts.prompts.onModal = [](QDialog&) { return int(QDialog::Accepted); };  // the whole range
    prompts.prompts.fileNames = {path};
    window->Save1Click();
    ASSERT_TRUE(QFile::exists(path));

    Open(path);
    TfrmList* list = nullptr;
    for (QMdiSubWindow* sub : window->MdiArea()->subWindowList())
        if (auto* found = qobject_cast<TfrmList*>(sub->widget()))
            list = found;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Grid1->RowCount() - 1, 3);
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(list->parentWidget()));
    EXPECT_TRUE(Button("btnOutputToGraph")->isEnabled());
    EXPECT_TRUE(Item("Save1")->isEnabled());
    EXPECT_TRUE(Item("Print1")->isEnabled());

    prompts.prompts.onModal = nullptr;
    Button("btnOutputToGraph")->click();
    TfrmGraph* graphed = Graphs().last();
    ASSERT_NE(graphed, &realTime);
    EXPECT_EQ(graphed->Caption(), list->Caption());
    ASSERT_EQ(graphed->PESGraph1->Points(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(graphed->PESGraph1->YData(0, i), 60.5f + static_cast<float>(i));
        EXPECT_NEAR(graphed->PESGraph1->XDataII(0, i), 45000.5 + i * OneSecond, 0.5 * OneSecond);
    }
    EXPECT_FALSE(Button("btnOutputToGraph")->isEnabled()) << "a graph is active now";
}

TEST_F(FileCommandsTest, PrintRoutesByTheActiveWindow)
{
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->Panel()->parentWidget()));
    EXPECT_FALSE(Item("Print1")->isEnabled()) << "the panel has nothing to print";
    window->btnPrintClick();  // and if it is reached anyway, nothing is asked

    auto* list = new TfrmList;
    list->Grid1->SetRowCount(3);
    list->Grid1->SetCell(1, 1, "3/4/2023");
    list->ShowInArea(window->MdiArea());
    window->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(list->parentWidget()));
    prompts.prompts.printAnswers = {false};
    Item("Print1")->trigger();
    EXPECT_EQ(prompts.prompts.printDialogs, 1) << "a table goes to the print dialog";
}

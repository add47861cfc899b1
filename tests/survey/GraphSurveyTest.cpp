// A graph window's survey: exclusions from the cursors, their shading, the question on
// closing, and the survey file written and opened again.
#include "GraphWindowFixture.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/GraphWindowCommands.h"
#include "survey/ui/TfrmExclusions.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/ui/StringGrid.h"
#include "survey/ui/GraphExclusions.h"
#include "survey/ui/OpenSurvey.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class GraphSurveyTest : public GraphWindowTest {
protected:
    GraphSurveyTest()
    {
        services.Exclude = [](TfrmGraph& graph) { ExcludeBetweenGraphCursors(graph); };
        services.Exclusions = [](TfrmGraph& graph) { ShowGraphExclusions(graph); };
        MakeWindow();
        Fill({50, 50, 90, 91, 50, 50, 50, 50, 50, 50}, At(10, 0, 0), Facts(1.0));
    }

    // Excludes between the cursors at a and b, giving the reason in the dialog.
    void Exclude(int a, int b, const QString& reason)
    {
        window->SetSlider(0, 9, a, b);
        fake.prompts.onModal = [reason](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("txtReason"))->setText(reason);
            return reason.isEmpty() ? int(QDialog::Rejected) : int(QDialog::Accepted);
        };
        window->btnExclude->click();
    }

    QString SurveyPath() const { return environment.Root() + QStringLiteral("/night.qxs"); }

    // Saves the window's survey at SurveyPath through its Save command.
    void SaveSurvey()
    {
        fake.prompts.fileNames.push_back(SurveyPath());
        ASSERT_TRUE(SaveGraph(*window));
    }
};

TEST_F(GraphSurveyTest, ExcludeTakesTheCursorsSpanWithAReasonAndShadesIt)
{
    Exclude(3, 2, QString());  // cancelled: nothing
    EXPECT_TRUE(window->GraphSurvey().exclusions.empty());
    EXPECT_FALSE(window->SurveyUnsaved());

    Exclude(3, 2, QStringLiteral("dog barking"));
    ASSERT_EQ(window->GraphSurvey().exclusions.size(), 1u);
    const Exclusion& dog = window->GraphSurvey().exclusions[0];
    EXPECT_NEAR(dog.from, At(10, 0, 2), 1e-9);
    EXPECT_NEAR(dog.to, At(10, 0, 4), 1e-9);  // cursor A's sample at 10:00:03 is a whole second
    EXPECT_EQ(dog.reason, QStringLiteral("dog barking"));
    ASSERT_EQ(window->PESGraph1->ShadedSpans().size(), 1u);
    EXPECT_NEAR(window->PESGraph1->ShadedSpans()[0].from, dog.from, 1e-12);
    EXPECT_TRUE(window->SurveyUnsaved());
}

// Removing asks first, and Enter in the list closes it: it never removes.
TEST_F(GraphSurveyTest, TheListRemovesTheSelectedExclusionOnlyWhenAskedAndAnswered)
{
    Exclude(2, 3, QStringLiteral("dog"));
    Exclude(6, 7, QStringLiteral("car door"));
    fake.prompts.onModal = [this](QDialog& dialog) {
        auto& list = dynamic_cast<TfrmExclusions&>(dialog);
        EXPECT_EQ(list.ExclusionsGrid->RowCount(), 3);
        EXPECT_EQ(list.ExclusionsGrid->Cell(2, 2), QStringLiteral("car door"));
        list.ExclusionsGrid->selectRow(0);
        QTest::keyClick(&list, Qt::Key_Return);
        EXPECT_EQ(window->GraphSurvey().exclusions.size(), 2u) << "Enter removes nothing";
        EXPECT_EQ(list.result(), QDialog::Accepted) << "Enter is Close";

        fake.prompts.answers = {Prompts::Answer::No, Prompts::Answer::Yes};
        list.btnRemove->click();
        EXPECT_EQ(window->GraphSurvey().exclusions.size(), 2u) << "No keeps it";
        list.btnRemove->click();
        EXPECT_EQ(list.ExclusionsGrid->RowCount(), 2);
        return int(QDialog::Accepted);
    };
    window->btnExclusions->click();
    ASSERT_EQ(fake.prompts.questions.size(), 2);
    EXPECT_TRUE(fake.prompts.questions[0].contains(QStringLiteral("(dog)"))) << fake.prompts.questions[0].toStdString();
    ASSERT_EQ(window->GraphSurvey().exclusions.size(), 1u);
    EXPECT_EQ(window->GraphSurvey().exclusions[0].reason, QStringLiteral("car door"));
    EXPECT_EQ(window->PESGraph1->ShadedSpans().size(), 1u);
}

TEST_F(GraphSurveyTest, ClosingWithUnsavedExclusionsAsksAndSavesTheSurvey)
{
    EXPECT_TRUE(window->FormCloseQuery());  // nothing excluded: nothing asked
    Exclude(2, 3, QStringLiteral("dog"));

    fake.prompts.answers = {Prompts::Answer::Cancel, Prompts::Answer::Yes};
    EXPECT_FALSE(window->FormCloseQuery());
    ASSERT_EQ(fake.prompts.questions.size(), 1);
    EXPECT_TRUE(fake.prompts.questions[0].contains(QStringLiteral("exclusions")));

    // Yes saves a survey; the graph's levels, in no file yet, are kept beside it.
    fake.prompts.fileNames.push_back(SurveyPath());
    EXPECT_TRUE(window->FormCloseQuery());
    EXPECT_TRUE(QFile::exists(SurveyPath()));
    EXPECT_TRUE(QFile::exists(environment.Root() + QStringLiteral("/night.ghf")));
    EXPECT_FALSE(window->SurveyUnsaved());
    EXPECT_EQ(window->GraphSurvey().source.path, QStringLiteral("night.ghf"));
    EXPECT_EQ(window->GraphSurvey().source.sha256.size(), 64);
}

TEST_F(GraphSurveyTest, ASavedSurveyOpensWithItsRecordingExclusionsAndSettings)
{
    Exclude(2, 3, QStringLiteral("dog"));
    SurveyAnalysis analysis;
    analysis.periodMinutes = 5;
    analysis.events = EventSettings{65.0, 10.0, 2.0};
    window->SetAnalysisSettings(analysis);
    SaveSurvey();

    std::unique_ptr<TfrmGraph> opened(OpenSurveyWindow(SurveyPath(), services));
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->GraphSurvey().exclusions, window->GraphSurvey().exclusions);
    EXPECT_EQ(opened->GraphSurvey().analysis.periodMinutes, 5);
    EXPECT_EQ(opened->GraphSurvey().analysis.events, analysis.events);
    EXPECT_FALSE(opened->SurveyUnsaved());
    EXPECT_EQ(opened->txtDataNo->text(), QStringLiteral("10"));
    EXPECT_EQ(opened->PESGraph1->ShadedSpans().size(), 1u);
    EXPECT_EQ(QFileInfo(opened->ShownRecording().sourceFile).fileName(), QStringLiteral("night.ghf"));
}

TEST_F(GraphSurveyTest, AMovedRecordingIsNamedAndCanBeLocated)
{
    Exclude(2, 3, QStringLiteral("dog"));
    SaveSurvey();
    const QString moved = environment.Root() + QStringLiteral("/elsewhere.ghf");
    ASSERT_TRUE(QFile::rename(environment.Root() + QStringLiteral("/night.ghf"), moved));

    fake.prompts.answers = {Prompts::Answer::No};
    EXPECT_EQ(OpenSurveyWindow(SurveyPath(), services), nullptr);
    ASSERT_EQ(fake.prompts.questions.size(), 1);
    EXPECT_TRUE(fake.prompts.questions[0].contains(QDir::toNativeSeparators(environment.Root() + "/night.ghf")));
    EXPECT_TRUE(fake.prompts.questions[0].contains(QStringLiteral("missing")));

    fake.prompts.answers = {Prompts::Answer::Yes};
    fake.prompts.fileNames.push_back(moved);
    std::unique_ptr<TfrmGraph> opened(OpenSurveyWindow(SurveyPath(), services));
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->ShownRecording().sourceFile, moved);
    EXPECT_EQ(opened->GraphSurvey().exclusions.size(), 1u);

    // The located recording is the survey's once it is saved: closing asks, and Yes saves the
    // survey where it is, naming the file found.
    EXPECT_TRUE(opened->SurveyUnsaved());
    fake.prompts.answers = {Prompts::Answer::Yes};
    EXPECT_TRUE(opened->FormCloseQuery());
    EXPECT_FALSE(opened->SurveyUnsaved());
    QString error;
    const std::optional<Survey> saved = ReadSurveyFile(SurveyPath(), &error);
    ASSERT_TRUE(saved) << error.toStdString();
    EXPECT_EQ(saved->source.path, QStringLiteral("elsewhere.ghf"));
}

TEST_F(GraphSurveyTest, AChangedRecordingIsNamedAndOpensAsItIsNowOnNo)
{
    SaveSurvey();
    // Another graph written over the recording.
    Fill({60, 60, 60});
    ASSERT_TRUE(WriteGraphFile(*window->PESGraph1, environment.Root() + QStringLiteral("/night.ghf")));

    fake.prompts.answers = {Prompts::Answer::Cancel};
    EXPECT_EQ(OpenSurveyWindow(SurveyPath(), services), nullptr);
    fake.prompts.answers = {Prompts::Answer::No};
    std::unique_ptr<TfrmGraph> opened(OpenSurveyWindow(SurveyPath(), services));
    ASSERT_TRUE(opened);
    ASSERT_EQ(fake.prompts.questions.size(), 2);
    EXPECT_TRUE(fake.prompts.questions[1].contains(QStringLiteral("has changed")));
    EXPECT_TRUE(fake.prompts.questions[1].contains(QStringLiteral("night.ghf")));
    EXPECT_EQ(opened->txtDataNo->text(), QStringLiteral("3"));
}

TEST_F(GraphSurveyTest, ABrokenSurveyIsRefusedNamingTheFile)
{
    const QString path = environment.Root() + QStringLiteral("/broken.qxs");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"qx574-survey\", ");
    file.close();
    EXPECT_EQ(OpenSurveyWindow(path, services), nullptr);
    ASSERT_EQ(fake.prompts.Errors().size(), 1);
    EXPECT_TRUE(fake.prompts.Errors()[0].contains(QStringLiteral("broken.qxs")));
}

}  // namespace

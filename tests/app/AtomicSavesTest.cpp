#include "files/ui/ExportGridText.h"
#include "files/ui/TfrmScope.h"
#include "FullDisk.h"
#include "graph/ui/ChartFile.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/LinkSession.h"
#include "link/SimulatedMeter.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/DataSetCollection.h"
#include "MainWindowFixture.h"
#include "survey/ui/SaveGraphReport.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

#include <gtest/gtest.h>

// Every save of a user's file, made to fail or cancelled over an earlier file of that name: the
// earlier file stays whole and nothing of the new one is left beside it; a failure says so,
// naming the file, and a cancel says nothing.

namespace {

class AtomicSavesTest : public ConnectedMainWindowFixture {
protected:
    // A user's things to save: a download in the DataLogger window and a measured LEQ table.
    void SetUp() override
    {
        clock.clock.nowStep = 0.001 * OneSecond;
        ASSERT_NO_FATAL_FAILURE(StartConnected());
        window->LoadData1->trigger();
        ASSERT_FALSE(window->DataLoggerGraph() == nullptr);
        window->LEQ1->trigger();
        Leq().btnLEQ->click();
        for (int poll = 0; poll < 200 && Leq().Measuring(); ++poll) {
            clock.clock.now += 0.25 * OneSecond;
            window->LEQTimerTimer();
        }
        ASSERT_FALSE(Leq().Rows().empty());
        QDir().mkpath(QFileInfo(TemplatePath()).path());
    }

    TfrmGraph& Logger() { return *window->DataLoggerGraph(); }
    TfrmLEQ& Leq() { return *window->LeqWindow(); }
    QString Path(const char* name) const { return env.DocumentsDir() + u'/' + QString::fromLatin1(name); }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QStringList FilesBeside(const QString& path)
    {
        return QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // The answers of a save's dialogs: the name, and All in the range window of a text export.
    void Answer(const QString& name, int rangeResult = QDialog::Accepted)
    {
        prompts.prompts.fileNames = {name};
        prompts.prompts.onModal = [rangeResult](QDialog& dialog) {
            dynamic_cast<TfrmScope&>(dialog).radAll->setChecked(true);
            return rangeResult;
        };
    }

    struct Save {
        const char* what;
        QString path;
        std::function<bool()> save;  // as the user saves it, answering the dialogs with path
    };
    std::vector<Save> Saves()
    {
        const auto named = [this](const QString& path, std::function<bool()> save) {
            return [this, path, save] {
                Answer(path);
                return save();
            };
        };
        return {
            {"graph", Path("run.ghf"), named(Path("run.ghf"), [this] { return SaveGraph(Logger()); })},
            {"graph as text", Path("run.txt"), named(Path("run.txt"), [this] { return SaveGraph(Logger()); })},
            {"graph as CSV", Path("run.csv"), named(Path("run.csv"), [this] { return SaveGraph(Logger()); })},
            {"template", TemplatePath(), [this] { return SaveTemplate(*Logger().PESGraph1); }},
            {"collection", Path("day.REC"), named(Path("day.REC"), [this] { return SaveCollection(window->DataLogger()); })},
            {"table as text", Path("table.txt"), named(Path("table.txt"), [this] { return ExportGridText(*Leq().LEQGrid); })},
            {"LEQ table", Path("leq.txt"), named(Path("leq.txt"), [this] { return Leq().Button2Click(); })},
            {"report", Path("run.pdf"), named(Path("run.pdf"), [this] { return SaveGraphReport(Logger()); })},
        };
    }
};

}  // namespace

TEST_F(AtomicSavesTest, AFailedSaveKeepsThePreviousFileAndSaysSo)
{
    for (const Save& s : Saves()) {
        SCOPED_TRACE(s.what);
        Write(s.path, "the previous file");
        const QStringList files = FilesBeside(s.path);
        {
            FullDisk disk(16);
            EXPECT_FALSE(s.save());
        }
        const QStringList errors = prompts.prompts.TakeErrors();
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(s.path))) << errors[0].toStdString();
        EXPECT_EQ(Read(s.path), "the previous file");
        EXPECT_EQ(FilesBeside(s.path), files) << "nothing of the new file is left beside it";

        // With room on the disk the same save replaces the file.
        EXPECT_TRUE(s.save());
        EXPECT_NE(Read(s.path), "the previous file");
        EXPECT_EQ(FilesBeside(s.path), files);
        EXPECT_TRUE(prompts.prompts.TakeErrors().isEmpty());
    }
}

TEST_F(AtomicSavesTest, ACancelledSaveKeepsThePreviousFileAndSaysNothing)
{
    struct Cancel {
        const char* what;
        QString path;
        std::function<bool()> save;
    } cancels[] = {
        {"graph: file dialog", Path("run.ghf"), [this] { Answer({}); return SaveGraph(Logger()); }},
        {"graph: the name typed without extension, not to be replaced", Path("run.GHF"), [this] {
             Answer(Path("run"));
             prompts.prompts.answers = {Prompts::Answer::No};
             const bool saved = SaveGraph(Logger());
             prompts.prompts.questions.clear();
             return saved;
         }},
        {"graph as text: range window", Path("run.txt"),
         [this] { Answer(Path("run.txt"), QDialog::Rejected); return SaveGraph(Logger()); }},
        {"collection: file dialog", Path("day.REC"), [this] { Answer({}); return SaveCollection(window->DataLogger()); }},
        {"table as text: range window", Path("table.txt"),
         [this] { Answer(Path("table.txt"), QDialog::Rejected); return ExportGridText(*Leq().LEQGrid); }},
        {"LEQ table: file dialog", Path("leq.txt"), [this] { Answer({}); return Leq().Button2Click(); }},
    };
    for (const Cancel& c : cancels) {
        SCOPED_TRACE(c.what);
        Write(c.path, "the previous file");
        const QStringList files = FilesBeside(c.path);
        EXPECT_FALSE(c.save());
        EXPECT_EQ(Read(c.path), "the previous file");
        EXPECT_EQ(FilesBeside(c.path), files);
        EXPECT_TRUE(prompts.prompts.TakeErrors().isEmpty());
        EXPECT_TRUE(prompts.prompts.TakeMessages().isEmpty());
        prompts.prompts.onModal = {};
    }
}

TEST_F(AtomicSavesTest, AGraphNameOfAnotherKindSavesNothingAndSaysSo)
{
    Write(Path("run.dat"), "the previous file");
    Answer(Path("run.dat"));
    EXPECT_FALSE(SaveGraph(Logger()));
    EXPECT_EQ(Read(Path("run.dat")), "the previous file");
    const QStringList errors = prompts.prompts.TakeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(Path("run.dat")))) << errors[0].toStdString();
    prompts.prompts.onModal = {};
}

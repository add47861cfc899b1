#include "files/ui/TfrmScope.h"
#include "graph/ui/TfrmGraph.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"
#include "link/SimulatedMeter.h"
#include "logger/DataLoggerSession.h"
#include "logger/ui/TfrmSetup.h"
#include "MainWindowFixture.h"
#include "shell/Formats.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Closing windows while the download lets window messages run, and the questions closing asks.
class ClosingWindowsTest : public ConnectedMainWindowFixture {
protected:
    void SetUp() override
    {
        clock.clock.nowStep = 0.001 * OneSecond;
        ConnectedMainWindowFixture::SetUp();
    }

    // Runs act from the download's first round of window messages, while the progress window
    // is up; true when it ran there.
    bool DuringDownload(const std::function<void()>& act)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* scope = qobject_cast<TfrmScope*>(top); scope && scope->isVisible() && Link().Busy())
                    ran = true;
            act();
        });
        window->LoadData1->trigger();
        // What was put off until the download ended, then the windows it deleted.
        QCoreApplication::processEvents();
        FlushDeletes();
        return ran;
    }
    std::size_t SetsShown() { return window->DataLogger().Table().sets.size(); }
};

}  // namespace

TEST_F(ClosingWindowsTest, AWindowClosedDuringADownloadClosesOnceTheDownloadHasEnded)
{
    // The DataLogger window and the program are where the download goes: their close stops it.
    // The others wait for it.
    struct Case {
        const char* name;
        std::function<QWidget*()> window;
        bool stopsTheDownload;
    } cases[] = {
        {"DataLogger window", [&]() -> QWidget* { return window->DataLoggerGraph()->parentWidget(); }, true},
        {"LEQ window", [&]() -> QWidget* { return window->LeqWindow()->parentWidget(); }, false},
        {"service window", [&]() -> QWidget* { return window->SetupWindow()->parentWidget(); }, false},
        {"main window", [&]() -> QWidget* { return window.get(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->LEQ1Click();
        window->Setup1Click();
        QPointer<QWidget> closed;
        bool openMeanwhile = false;
        EXPECT_TRUE(DuringDownload([&] {
            closed = c.window();
            closed->close();
            openMeanwhile = closed && closed->isVisible();
        }));
        EXPECT_TRUE(openMeanwhile) << "nothing is closed under the download";
        EXPECT_TRUE(closed.isNull() || !closed->isVisible()) << "the user's close is carried out after it";
        EXPECT_FALSE(Link().Busy());
        if (c.stopsTheDownload) {
            EXPECT_EQ(window->StatusText(0), "Download cancelled");
            EXPECT_EQ(SetsShown(), 0u);
        } else {
            EXPECT_EQ(SetsShown(), static_cast<std::size_t>(meter.Memory().SetCount()));
            EXPECT_FALSE(window->DataLoggerGraph() == nullptr);
        }
        CloseMainWindow();
        StartConnected();
    }
}

TEST_F(ClosingWindowsTest, TheProgramClosedDuringADownloadAsksAboutTheDataItHeldBefore)
{
    window->LoadData1->trigger();
    ASSERT_TRUE(window->DataLogger().Unsaved());
    const std::vector<float> kept = window->DataLogger().Table().levels;
    meter.Memory().Erase();  // a second download would bring something else
    prompts.prompts.answers = {Prompts::Answer::No};
    EXPECT_TRUE(DuringDownload([&] { window->close(); }));
    EXPECT_EQ(prompts.prompts.questions, QStringList({"Save DataLogger Data ?"}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->DataLoggerGraph() == nullptr);
    EXPECT_EQ(window->DataLogger().Table().levels, kept) << "the stopped download replaced nothing";
}

TEST_F(ClosingWindowsTest, EveryQuestionIsAskedBeforeAnyWindowCloses)
{
    window->LoadData1->trigger();
    window->Run().Unsaved = true;  // samples recorded and not saved
    for (const bool byExit : {false, true}) {
        SCOPED_TRACE(byExit ? "File > Exit" : "closing the frame");
        prompts.prompts.questions.clear();
        prompts.prompts.answers = {Prompts::Answer::No, Prompts::Answer::Cancel};
        if (byExit)
            window->Exit1Click();
        else
            EXPECT_FALSE(window->close());
        FlushDeletes();
        EXPECT_EQ(prompts.prompts.questions, QStringList({"Save Real-Time Graph ?", "Save DataLogger Data ?"}));
        EXPECT_FALSE(window->RealTimeGraph() == nullptr) << "the Cancel left the real-time graph open";
        EXPECT_FALSE(window->DataLoggerGraph() == nullptr);
        EXPECT_TRUE(window->Run().Unsaved);
        EXPECT_TRUE(window->DataLogger().Unsaved());
    }

    // Answered, the windows close without asking again.
    prompts.prompts.questions.clear();
    prompts.prompts.answers = {Prompts::Answer::No, Prompts::Answer::No};
    EXPECT_TRUE(window->close());
    FlushDeletes();
    EXPECT_EQ(prompts.prompts.questions.size(), 2);
    EXPECT_TRUE(window->RealTimeGraph() == nullptr);
    EXPECT_TRUE(window->DataLoggerGraph() == nullptr);
}

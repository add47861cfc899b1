#include "link/LinkSession.h"
#include "link/SimulatedMeter.h"
#include "logger/ui/TfrmSetup.h"
#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The service window reached from the main window, on the simulated meter.
class SetupWindowTest : public ConnectedMainWindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartConnected());
        window->MainTimer()->start();
    }

    QMdiSubWindow* Frame() const
    {
        return window->SetupWindow() ? qobject_cast<QMdiSubWindow*>(window->SetupWindow()->parentWidget()) : nullptr;
    }
    int SetupWindows() const
    {
        int count = 0;
        for (const QMdiSubWindow* sub : window->MdiArea()->subWindowList())
            count += qobject_cast<TfrmSetup*>(sub->widget()) ? 1 : 0;
        return count;
    }
};

}  // namespace

TEST_F(SetupWindowTest, TheHiddenItemAndButtonOpenOneWindowAndRestoreIt)
{
    EXPECT_FALSE(window->Setup1->isVisible());
    EXPECT_FALSE(window->Button1->isVisible());
    EXPECT_EQ(window->Button1->text(), "setup");
    EXPECT_TRUE(window->Button1->isEnabled());

    window->resize(1200, 900);
    window->Setup1->trigger();
    ASSERT_NE(Frame(), nullptr);
    EXPECT_EQ(Frame()->windowTitle(), "Data Logger Setup");
    EXPECT_EQ(window->MdiArea()->activeSubWindow(), Frame());
    const QPoint areaCentre = window->MdiArea()->viewport()->rect().center();
    EXPECT_LE((Frame()->geometry().center() - areaCentre).manhattanLength(), 2) << "centred in the area";

    TfrmSetup* first = window->SetupWindow();
    Frame()->showMinimized();
    window->Button1->click();
    EXPECT_EQ(window->SetupWindow(), first);
    EXPECT_FALSE(Frame()->isMinimized()) << "restored, not made again";
    EXPECT_EQ(SetupWindows(), 1);

    Frame()->close();
    EXPECT_TRUE(window->SetupWindow() == nullptr) << "its close clears the reference";
    FlushDeletes();
    EXPECT_EQ(SetupWindows(), 0);
    window->Setup1Click();
    EXPECT_EQ(SetupWindows(), 1);
}

TEST_F(SetupWindowTest, NotOfferedWithoutTheMeterOrWhileALongSequenceHoldsTheLink)
{
    // A hidden item always reads as disabled, so what counts is whether choosing it opens the window.
    const auto chooseBoth = [this] {
        window->UpdateCommandStates();
        window->Setup1->trigger();
        window->Button1->click();
    };
    {
        std::optional<LinkSequence> download = Link().TryBegin();
        chooseBoth();
        EXPECT_FALSE(window->Button1->isEnabled());
        EXPECT_EQ(SetupWindows(), 0);
    }
    meter.RefuseOpen();
    for (int poll = 0; poll < MeterPresence::FailedPollsToLose; ++poll)
        window->MainTimerTimer();
    meter.ClearFaults();
    ASSERT_FALSE(window->Monitor().Connected());
    chooseBoth();
    EXPECT_FALSE(window->Button1->isEnabled());
    EXPECT_EQ(SetupWindows(), 0);
    window->MainTimerTimer();  // found again
    chooseBoth();
    EXPECT_EQ(SetupWindows(), 1);
}

TEST_F(SetupWindowTest, EachButtonTalksToTheMeterAndItsEffectShows)
{
    window->Setup1Click();
    TfrmSetup& setup = *window->SetupWindow();
    const auto read = [&] {
        setup.Button4->click();
        EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"read data successfully"}));
    };

    read();
    EXPECT_EQ(setup.txtSN->text(), "QX574-0012345");
    EXPECT_EQ(setup.txtDataSets->text(), QString::number(meter.Memory().SetCount()));

    setup.Button1->click();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"Meter time updated successfully \n"}));

    setup.edtInt1->setText("00");
    setup.edtInt2->setText("10");
    setup.Button2->click();
    EXPECT_EQ(prompts.prompts.TakeMessages().size(), 1);
    read();
    EXPECT_EQ(setup.txtInt->text(), "10");

    prompts.prompts.answers = {Prompts::Answer::Yes};
    setup.Button3->click();
    EXPECT_EQ(prompts.prompts.TakeMessages(), QStringList({"erase memory successfully"}));
    read();
    EXPECT_EQ(setup.txtDataSets->text(), "0");

    setup.txtWAddress->setText("70000");
    setup.txtWData->setText("44");
    setup.Button6->click();
    setup.txtRAddress->setText("70000");
    setup.Button7->click();
    EXPECT_EQ(setup.txtRData->text(), "44");

    EXPECT_TRUE(window->MainTimer()->isActive()) << "the monitor runs again after every exchange";
    window->MainTimerTimer();
    EXPECT_TRUE(window->Monitor().Connected()) << "and still finds the meter";
}

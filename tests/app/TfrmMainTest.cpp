#include "MainWindowFixture.h"
#include "shell/ui/TfrmAbout.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cfenv>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace {

QByteArray Binary(double value) { return QByteArray(reinterpret_cast<const char*>(&value), 8); }

double Stored(const TestEnvironment& env, const char* key)
{
    QSettings settings(env.SettingsFile(), QSettings::IniFormat);
    const QByteArray bytes = settings.value(key).toByteArray();
    double value = -1.0;
    if (bytes.size() == 8)
        std::memcpy(&value, bytes.constData(), 8);
    return value;
}

// Start-up as the user sees it: the monitor's timer is left running.
class MainWindowTest : public MainWindowFixture {
protected:
    void Start() { StartMainWindow(false); }
};

}  // namespace

TEST_F(MainWindowTest, StartsWithTheDescribedMenusButtonsAndStatus)
{
    QPointer<TfrmAbout> splash = new TfrmAbout;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    window = std::make_unique<TfrmMain>();
    window->SetSplash(splash);
    window->show();
    FlushDeletes();

    EXPECT_EQ(window->windowTitle(), "QX574");
    EXPECT_TRUE(splash.isNull()) << "the splash closes itself once the frame is shown";
    EXPECT_EQ(DetermineDataFolder(), env.DocumentsDir() + "/QX574/");
    EXPECT_TRUE(window->MainTimer()->isActive());
    EXPECT_EQ(window->MainTimer()->interval(), 500);
    EXPECT_EQ(clock.clock.singleShotMs, 500u) << "the monitor starts on a timer half a second after the show";
    EXPECT_EQ(clock.clock.sleeps, 0) << "nothing blocks the first drawing";
    EXPECT_EQ(window->StatusText(0), "");
    EXPECT_EQ(window->StatusText(1), "Off Connection");
    const int widths[] = {100, 150, 50};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window->findChild<QLabel*>(QString("StatusPanel%1").arg(i))->width(), widths[i]);
    EXPECT_EQ(window->Panel1()->height(), 36);

    struct ItemCase { const char* name; const char* caption; bool enabled; bool visible; int checked; };
    const ItemCase items[] = {
        {"Open1", "&Open", true, true, -1},          {"Save1", "&Save", true, true, -1},
        {"Print1", "&Print", true, true, -1},        {"PrinterSetup1", "&Printer Setup", true, true, -1},
        {"Exit1", "E&xit", true, true, -1},          {"Run1", "Run", false, true, -1},
        {"Stop1", "Stop", false, true, -1},          {"d1", "discard float error", true, true, 1},
        {"LoadData1", "Load Data", false, true, -1}, {"EraseMemory1", "Erase Memory", false, true, -1},
        {"Setup1", "Setup", false, false, -1},        {"ControlPanel1", "&Control Panel", true, true, 1},
        {"RealTimeGraph1", "Real Time &Graph", true, true, 1},
        {"Contents1", "&Contents", true, true, -1},  {"About1", "&About", true, true, -1},
        {"LEQ1", "LEQ", true, true, -1},
    };
    for (const ItemCase& c : items) {
        SCOPED_TRACE(c.name);
        QAction* item = Item(c.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), c.caption);
        EXPECT_EQ(item->isEnabled(), c.enabled);
        EXPECT_EQ(item->isVisible(), c.visible);
        if (c.checked >= 0)
            EXPECT_EQ(item->isChecked(), c.checked == 1);
        else
            EXPECT_FALSE(item->isCheckable());
    }
    QStringList menus;
    for (QAction* top : window->menuBar()->actions())
        menus << top->text();
    EXPECT_EQ(menus, QStringList({"&File", "Real Time", "&Data Logger", "&View", "&Window", "&Help", "LEQ"}));

    struct ButtonCase { const char* name; const char* hint; bool enabled; };
    const ButtonCase buttons[] = {
        {"SpeedButton1", "Open File", true},
        {"SpeedButton2", "Save to file", true},
        {"btnPrint", "Print", true},
        {"btnDataLogger", "Data Logger", false},
        {"btnOutputToGraph", "Output Tabular to graph", false},
        {"btnRun", "Start Graphing Real Time Data", false},
        {"btnStop", "Stop Graphing Real Time Data", false},
        {"SpeedButton8", "Help", true},
    };
    int left = -1;
    for (const ButtonCase& c : buttons) {
        SCOPED_TRACE(c.name);
        QToolButton* button = Button(c.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), c.hint);
        EXPECT_EQ(button->isEnabled(), c.enabled);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_GT(button->x(), left) << "buttons run left to right";
        left = button->x();
    }
}

TEST_F(MainWindowTest, LoadsTheLcdBitmapsAtTheirSizes)
{
    Start();
    for (int slot = 0; slot < BitmapSlots; ++slot) {
        SCOPED_TRACE(slot);
        const QSize size = window->Bitmaps()[slot].size();
        if (slot < 16)
            EXPECT_EQ(size, QSize(39, 70));
        else if (slot < 26)
            EXPECT_EQ(size, QSize(13, 22));
        else if (slot < 32)
            EXPECT_TRUE(window->Bitmaps()[slot].isNull());
        else
            EXPECT_EQ(size, QSize(43, 15));
    }
}

TEST_F(MainWindowTest, DiscardOffStartsUncheckedAndIsWrittenBackOnClose)
{
    {
        QSettings settings(env.SettingsFile(), QSettings::IniFormat);
        settings.setValue("RealTimeRate", Binary(2.0));
        settings.setValue("discard_float_error", Binary(0.0));
    }
    Start();
    EXPECT_FALSE(Item("d1")->isChecked());
    EXPECT_FLOAT_EQ(window->Run().Rate, 2.0f);
    window->close();
    EXPECT_DOUBLE_EQ(Stored(env, "discard_float_error"), 0.0);
    EXPECT_DOUBLE_EQ(Stored(env, "RealTimeRate"), 2.0);
}

TEST_F(MainWindowTest, ExitLeavesWithoutWritingTheSettings)
{
    {
        QSettings settings(env.SettingsFile(), QSettings::IniFormat);
        settings.setValue("RealTimeRate", Binary(0.5));
    }
    Start();
    window->Run().Rate = 7.0f;
    Item("d1")->trigger();
    ASSERT_FALSE(window->DiscardFloatError());
    Item("Exit1")->trigger();
    window->close();
    window.reset();
    EXPECT_DOUBLE_EQ(Stored(env, "RealTimeRate"), 0.5);
    EXPECT_DOUBLE_EQ(Stored(env, "discard_float_error"), -1.0) << "still not stored";
}

TEST_F(MainWindowTest, AboutShowsAFreshBoxEachTime)
{
    Start();
    QList<QDialog*> seen;
    prompts.prompts.onModal = [&](QDialog& dialog) {
        auto* box = qobject_cast<TfrmAbout*>(&dialog);
        EXPECT_NE(box, nullptr);
        EXPECT_EQ(dialog.windowTitle(), "About Decibar For Sound Level Meter");
        EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text().count('.'), 3);
        EXPECT_FALSE(dialog.property("seen").toBool()) << "a box from an earlier About";
        dialog.setProperty("seen", true);
        seen << &dialog;
        return int(QDialog::Accepted);
    };
    Item("About1")->trigger();
    EXPECT_EQ(window->findChild<TfrmAbout*>(), nullptr) << "closing the box freed it";
    Item("About1")->trigger();
    EXPECT_EQ(window->findChild<TfrmAbout*>(), nullptr);
    EXPECT_EQ(seen.size(), 2);
}

TEST_F(MainWindowTest, DiscardFloatErrorMasksOrClearsTheFlags)
{
    Start();
    ASSERT_TRUE(Item("d1")->isChecked());
    std::feraiseexcept(FE_DIVBYZERO);
    Item("d1")->trigger();  // unchecking clears the flags, unmasks nothing
    EXPECT_FALSE(Item("d1")->isChecked());
    EXPECT_FALSE(window->DiscardFloatError());
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
    EXPECT_EQ(fegetexcept(), 0);
    Item("d1")->trigger();
    EXPECT_TRUE(Item("d1")->isChecked());
    EXPECT_TRUE(window->DiscardFloatError());
    EXPECT_EQ(fegetexcept(), 0);
}

TEST_F(MainWindowTest, HelpAndPrinterSetupGoThroughTheDesktop)
{
    Start();
    Item("Contents1")->trigger();
    Button("SpeedButton8")->click();
    EXPECT_EQ(prompts.prompts.opened,
              QStringList({env.ProgramDir() + "/QX574Help.htm", env.ProgramDir() + "/QX574Help.htm"}));
    prompts.prompts.printAnswers = {false};
    Item("PrinterSetup1")->trigger();
    EXPECT_EQ(prompts.prompts.printerSetupDialogs, 1);
}

#pragma once
#include "app/TfrmMain.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "link/CommandTable.h"
#include "link/HtUsb.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"
#include "link/MeterMonitor.h"
#include "link/SimulatedMeter.h"
#include "shell/DataFolder.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <optional>

#include <gtest/gtest.h>

// The main window in a fresh environment, with the test clock and scripted prompts. Its
// monitor timer is stopped once it is shown: tests run the ticks themselves.
class MainWindowFixture : public ::testing::Test {
protected:
    TestEnvironment env;
    ScopedFakeClock clock;
    ScopedFakePrompts prompts;
    std::unique_ptr<TfrmMain> window;

    void StartMainWindow(bool stopMonitor = true)
    {
        window = std::make_unique<TfrmMain>();
        window->show();
        if (stopMonitor)
            window->MainTimer()->stop();
    }
    // Unsaved marks are dropped first, so that no save question comes up on the way out.
    void CloseMainWindow()
    {
        if (window) {
            window->Run().Unsaved = false;
            window->DataLogger().MarkSaved();
        }
        window.reset();
        FlushDeletes();
    }
    void TearDown() override { CloseMainWindow(); }

    // REC pressed on the meter, as the monitor's next status tells.
    void StartRecording()
    {
        {
            std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Exchange);
            ASSERT_TRUE(link && SendCommand(*link, Cmd::RecKey));
        }
        window->MainTimerTimer();
        ASSERT_TRUE(window->Monitor().Recording());
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QAction* Item(const char* name) const { return window->findChild<QAction*>(name); }
    QToolButton* Button(const char* name) const { return window->Panel1()->findChild<QToolButton*>(name); }
};

// The same with the simulated meter attached and found: the monitor has identified it and read
// its first status. A test's SetUp sets its clock first, then calls StartConnected.
class ConnectedMainWindowFixture : public MainWindowFixture {
protected:
    SimulatedMeter meter;

    void StartConnected()
    {
        SetCurrentTransport(&meter);
        StartMainWindow();
        window->MainTimerTimer();  // identify
        window->MainTimerTimer();  // first status
        ASSERT_TRUE(window->Monitor().Connected());
    }
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartConnected()); }
    void TearDown() override
    {
        CloseMainWindow();
        SetCurrentTransport(nullptr);
    }
};

#pragma once
#include "app/TfrmMain.h"
#include "FakeClock.h"
#include "FakePrompts.h"
#include "shell/AppState.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

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
        App.RealTimeUnsaved = false;
        App.DataLoggerUnsaved = false;
        window.reset();
        FlushDeletes();
    }
    void TearDown() override { CloseMainWindow(); }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QAction* Item(const char* name) const { return window->findChild<QAction*>(name); }
    QToolButton* Button(const char* name) const { return window->Panel1()->findChild<QToolButton*>(name); }
};

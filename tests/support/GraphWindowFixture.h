#pragma once
#include "FakeClock.h"
#include "FakePrompts.h"
#include "graph/ui/GraphRole.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A role as the owner of a special window gives it, holding measurements not saved yet and
// counting what the window tells it.
class RecordingRole final : public GraphRole {
public:
    explicit RecordingRole(Kind kind = Kind::Graph) : kind(kind) {}
    Kind kind;
    QString question = QStringLiteral("Save Measurements ?");
    bool unsaved = true;
    int saved = 0, closed = 0, cleared = 0;

    Kind WindowKind() const override { return kind; }
    QString UnsavedQuestion() const override { return unsaved ? question : QString(); }
    void MarkSaved() override { ++saved, unsaved = false; }
    void Closed() override { ++closed; }
    void Cleared() override { ++cleared; }
};

// A graph window with the services a main window would give it, with prompts, clock and
// folders faked.
class GraphWindowTest : public ::testing::Test {
protected:
    GraphWindowTest() { MakeWindow(); }

    // A new window with the services as they are now (a test gives it more than the plain ones).
    void MakeWindow()
    {
        window = std::make_unique<TfrmGraph>(services);
        window->resize(1152, 699);
        window->show();
    }

    static double At(int h, int m, int s, int ms = 0)
    {
        return DaysFromDateTime(QDateTime(QDate(2023, 3, 4), QTime(h, m, s, ms)));
    }

    // A recording's facts, without levels.
    static Recording Facts(double intervalSeconds, Weighting weighting = Weighting::Unknown)
    {
        Recording facts;
        facts.intervalSeconds = intervalSeconds;
        facts.weighting = weighting;
        return facts;
    }

    // Shows levels one second apart from start as the window's recording, as a maker does.
    void Fill(const std::vector<float>& levels, double start = At(10, 0, 0), Recording recording = {})
    {
        PESGraph& chart = *window->PESGraph1;
        const int count = static_cast<int>(levels.size());
        PrepareChart(chart, 1, 130.0f, 30.0f, start + count * OneSecond, start, count);
        recording.start = start;
        recording.times.clear();
        for (int i = 0; i < count; ++i)
            recording.times.push_back(start + i * OneSecond);
        recording.levels = levels;
        window->ShowRecording(std::move(recording));
        window->RefreshStatistics();
    }

    TestEnvironment environment;
    ScopedFakePrompts fake;
    ScopedFakeClock clock;
    GraphServices services;
    std::unique_ptr<TfrmGraph> window;
};

#pragma once
#include "FakeClock.h"
#include "FakePrompts.h"
#include "graph/ui/GraphHooks.h"
#include "graph/ui/GraphToolState.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/AppState.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A fresh program state and a graph window, with prompts, clock and folders faked.
class GraphWindowTest : public ::testing::Test {
protected:
    GraphWindowTest() : savedHooks(GraphHooks())
    {
        GraphToolState = GraphToolRecord();
        window = std::make_unique<TfrmGraph>();
        window->resize(1152, 699);
        window->show();
    }
    ~GraphWindowTest() override
    {
        window.reset();
        GraphHooks() = savedHooks;
        GraphToolState = GraphToolRecord();
    }

    static double At(int h, int m, int s, int ms = 0)
    {
        return DaysFromDateTime(QDateTime(QDate(2023, 3, 4), QTime(h, m, s, ms)));
    }

    // Fills subset 0 with levels one second apart from start, as a maker does.
    void Fill(const std::vector<float>& levels, double start = At(10, 0, 0))
    {
        PESGraph& chart = *window->PESGraph1;
        const int count = static_cast<int>(levels.size());
        PrepareChart(chart, 1, 130.0f, 30.0f, start + count * OneSecond, start, count);
        for (int i = 0; i < count; ++i)
            chart.SetPoint(0, i, start + i * OneSecond, levels[static_cast<std::size_t>(i)]);
        window->RefreshStatistics();
    }

    TestEnvironment environment;
    ScopedFakePrompts fake;
    ScopedFakeClock clock;
    GraphWindowHooks savedHooks;
    std::unique_ptr<TfrmGraph> window;
};

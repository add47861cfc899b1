// One tick of a real-time run on a chart that already holds 99,999 samples: the sample
// appended and the chart redrawn.
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "realtime/ui/RealTimeGraph.h"
#include "realtime/ui/RealTimeRun.h"
#include "shell/AppState.h"
#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QCoreApplication>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int Held = 99'999;
constexpr int Ticks = 2'000;

void BM_RealTimeTick(benchmark::State& state)
{
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    TfrmGraph& graph = CreateRealTimeGraph(area);
    PESGraph& chart = *graph.PESGraph1;
    chart.SetSize(1, Held + Ticks * 10);
    const double now = CurrentClock().Now();
    for (int i = 0; i < Held; ++i)
        chart.SetPoint(0, i, now - (Held - i) * OneSecond,
                       static_cast<float>(60.0 + 10.0 * std::sin(i * 0.01)));
    chart.SetManualX(now - Held * OneSecond, now + 30 * OneSecond);
    App.RealTimeCount = Held;
    App.RealTimeRunning = true;
    graph.RedrawChart();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        App.LiveLevel = static_cast<float>(70.0 + 5.0 * std::sin(++i * 0.1));
        TakeRealTimeSample(graph);
    }
    App = AppState();
}
BENCHMARK(BM_RealTimeTick)->Unit(benchmark::kMillisecond)->Iterations(Ticks)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

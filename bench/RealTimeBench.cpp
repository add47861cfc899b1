// One tick of a real-time run on a chart that already holds a long run's samples: the sample
// appended and the chart redrawn, at 100,000 and at 1,000,000 samples held.
#include "graph/ui/GraphServices.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "realtime/RealTimeRun.h"
#include "realtime/ui/RealTimeGraph.h"
#include "realtime/ui/RealTimeSampling.h"
#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QCoreApplication>
#include <QMdiArea>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int Ticks = 2'000;

void BM_RealTimeTick(benchmark::State& state)
{
    const auto held = static_cast<int>(state.range(0));
    RealTimeRun run;
    run.Rate = 1.0f;
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    TfrmGraph& graph = CreateRealTimeGraph(area, NoGraphServices(), run, [] {});
    PESGraph& chart = *graph.PESGraph1;
    // A run set up for more samples than it has taken: the rest of the chart waits empty.
    chart.SetSize(1, held * 2);
    const double now = CurrentClock().Now();
    for (int i = 0; i < held; ++i)
        chart.SetPoint(0, i, now - (held - i) * OneSecond,
                       static_cast<float>(60.0 + 10.0 * std::sin(i * 0.01)));
    chart.SetManualX(now - held * OneSecond, now + 30 * OneSecond);
    run.Count = held;
    run.Running = true;
    graph.RedrawChart();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state)
        TakeRealTimeSample(graph, run, static_cast<float>(70.0 + 5.0 * std::sin(++i * 0.1)));
    state.counters["held"] = held;
}
BENCHMARK(BM_RealTimeTick)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(Ticks)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

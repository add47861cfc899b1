// A day-long LEQ measurement in its window: polls that complete seconds and add their rows
// to a table that already holds most of a day of them, and the heap those rows take: the
// window's rows and the table that shows them (its model and its view), per row.
#include "graph/ui/GraphServices.h"
#include "leq/ui/TfrmLEQ.h"
#include "link/HtUsb.h"
#include "link/SimulatedMeter.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "shell/ui/StringGrid.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMdiArea>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int DayOfSeconds = 86'400;

// Half a second passes between two polls, so every other poll completes a second.
class PollClock final : public Clock {
public:
    double now = 46000.5;
    double Now() override { return now; }
    std::uint32_t TickCountMs() override { return static_cast<std::uint32_t>(now * 86400000.0); }
    void SleepMs(std::uint32_t ms) override { now += ms / 86400000.0; }
    void SingleShot(std::uint32_t ms, QObject*, std::function<void()> then) override
    {
        SleepMs(ms);
        then();
    }
};

// The bytes the process holds on the heap now.
double HeapBytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd);  // large blocks are mapped apart
}

// A measurement in its window with a table already holding most of a day's rows.
struct DayLongMeasurement {
    PollClock clock;
    SimulatedMeter meter;
    QTimer timer;
    QMdiArea area;
    TfrmLEQ* window;
    double heapPerRow = 0.0;  // all the rows cost the window: its rows, the table's model and view

    explicit DayLongMeasurement(int rows)
    {
        SetCurrentClock(&clock);
        meter.HoldLevel(70.0);
        SetCurrentTransport(&meter);
        area.resize(1600, 1000);
        area.show();
        window = new TfrmLEQ(timer, NoGraphServices());
        window->ShowInArea(&area);
        window->cmbTimeSelect->setCurrentIndex(9);  // "Manual": a day, ended by Stop
        window->btnLEQClick();
        QCoreApplication::processEvents();
        const double before = HeapBytes();
        while (window->LEQGrid->RowCount() - 1 < rows) {
            clock.now += 0.5 * OneSecond;
            window->LEQTimerTimer();
        }
        QCoreApplication::processEvents();
        heapPerRow = (HeapBytes() - before) / rows;
    }
    ~DayLongMeasurement()
    {
        window->Button1Click();
        delete window;
        SetCurrentTransport(nullptr);
        SetCurrentClock(nullptr);
    }
};

// A poll that ends a second and adds its row to the table (the model's update, not the
// drawing, which the window system does when it next paints).
void BM_LeqPollAddingARow(benchmark::State& state)
{
    DayLongMeasurement day(DayOfSeconds - 3'000);
    const double rowsPerRow = static_cast<double>(day.window->Rows().capacity() * sizeof(LeqRow))
        / static_cast<double>(day.window->Rows().size());
    state.counters["heap_bytes_per_row"] = day.heapPerRow;
    state.counters["rows_bytes_per_row"] = rowsPerRow;
    state.counters["table_bytes_per_row"] = day.heapPerRow - rowsPerRow;
    state.counters["heap_MB_a_day"] = day.heapPerRow * DayOfSeconds / 1.0e6;
    for (auto _ : state) {
        day.clock.now += OneSecond;
        day.window->LEQTimerTimer();
    }
    state.counters["rows"] = day.window->LEQGrid->RowCount() - 1;
    if (!day.window->Measuring())
        state.SkipWithError("the measurement ended before the polls were timed");
}
BENCHMARK(BM_LeqPollAddingARow)->Unit(benchmark::kMicrosecond)->Iterations(1000)->Repetitions(3)->ReportAggregatesOnly(true);

// Polls at their 40 ms cadence with every pending event handled after each, the table drawn
// whenever a row came: what a second of measuring costs, per poll.
void BM_LeqPollsAtTheirCadence(benchmark::State& state)
{
    DayLongMeasurement day(DayOfSeconds - 3'000);
    for (auto _ : state) {
        day.clock.now += 0.04 * OneSecond;
        day.window->LEQTimerTimer();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = day.window->LEQGrid->RowCount() - 1;
}
BENCHMARK(BM_LeqPollsAtTheirCadence)->Unit(benchmark::kMicrosecond)->Iterations(2500)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

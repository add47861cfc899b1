// A day-long LEQ measurement in its window: polls that complete seconds and add their rows
// to a table that already holds 86,400 of them, and the memory those rows take.
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

#include <fstream>
#include <string>

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

// The resident memory of the process in kB.
long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// A measurement in its window with a table already holding most of a day's rows.
struct DayLongMeasurement {
    PollClock clock;
    SimulatedMeter meter;
    QTimer timer;
    QMdiArea area;
    TfrmLEQ* window;
    long tableKb = 0;

    explicit DayLongMeasurement(int rows)
    {
        SetCurrentClock(&clock);
        meter.HoldLevel(70.0);
        SetCurrentTransport(&meter);
        area.resize(1600, 1000);
        area.show();
        window = new TfrmLEQ(timer);
        window->ShowInArea(&area);
        window->cmbTimeSelect->setCurrentIndex(9);  // "Manual": a day, ended by Stop
        window->btnLEQClick();
        QCoreApplication::processEvents();
        const long before = ResidentKb();
        while (window->LEQGrid->RowCount() - 1 < rows) {
            clock.now += 0.5 * OneSecond;
            window->LEQTimerTimer();
        }
        QCoreApplication::processEvents();
        tableKb = ResidentKb() - before;
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
    state.counters["table_MB"] = static_cast<double>(day.tableKb) / 1024.0;
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

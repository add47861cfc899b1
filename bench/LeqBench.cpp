// The LEQ computations at their largest: CAL Leq over a long chart, the noise metrics of a long
// recording, and one poll of a live measurement that already holds a day of rows.
#include "leq/EmptyLevel.h"
#include "leq/LeqMeasurement.h"
#include "leq/NoiseMetrics.h"
#include "leq/RunningLeq.h"
#include "link/MeterReplies.h"
#include "shell/Formats.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int Points = 100'000;
constexpr int DayOfRows = 86'400;

// A room: a quiet background with louder passing events, and a few empty points.
std::vector<float> RoomLevels()
{
    std::vector<float> levels(Points);
    for (int i = 0; i < Points; ++i)
        levels[i] = static_cast<float>(45.0 + 25.0 * std::fabs(std::sin(i * 0.013)) +
                                       3.0 * std::sin(i * 0.7));
    for (int i = 0; i < Points; i += 997)
        levels[i] = EmptyLevel;
    return levels;
}

void BM_CalLeqSeries(benchmark::State& state)
{
    const std::vector<float> levels = RoomLevels();
    for (auto _ : state)
        benchmark::DoNotOptimize(CalLeqSeries(levels));
}
BENCHMARK(BM_CalLeqSeries)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_NoiseMetrics(benchmark::State& state)
{
    const std::vector<float> levels = RoomLevels();
    std::vector<double> times(Points);
    const double start = DaysFromDateTime(QDateTime(QDate(2024, 5, 17), QTime(0, 0)));
    for (int i = 0; i < Points; ++i)
        times[i] = start + i * OneSecond;  // a little over a day: every period holds samples
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeNoiseMetrics(times, levels, 1.0));
}
BENCHMARK(BM_NoiseMetrics)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Every poll opens a new second, so every poll completes a row and the window shows its cells.
void BM_LeqPollWithADayOfRows(benchmark::State& state)
{
    LeqMeasurement measurement;
    StartLeqMeasurement(measurement, 1'000'000'000);
    std::vector<LeqRow> rows(DayOfRows, LeqRow{45000.5, 70.0f, 70.0f});
    StatusFields fields;
    fields.clock = {2024, 5, 17, 10, 0, 0};
    fields.levelTenths = 700;
    const double now = DaysFromDateTime(QDateTime(QDate(2024, 5, 17), QTime(10, 0)));
    PollLeqMeasurement(measurement, true, StatusReply(fields), now);
    int second = 0;
    for (auto _ : state) {
        fields.clock.second = ++second % 60;
        fields.levelTenths = 600 + second % 300;
        const LeqPollResult result = PollLeqMeasurement(measurement, true, StatusReply(fields), now);
        rows.push_back(*result.completedRow);
        benchmark::DoNotOptimize(LeqRowCells(rows.back(), result.rowNumber));
        benchmark::DoNotOptimize(result.logLine);
    }
}
BENCHMARK(BM_LeqPollWithADayOfRows)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

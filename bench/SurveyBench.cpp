// The survey analysis over a million samples (eleven and a half days at one a second), and
// qx574 report of a million-line watch log beside a plain loop reading the same lines.
#include "cli/Console.h"
#include "recording/ReadWatchLog.h"
#include "cli/ReportCommand.h"
#include "leq/DayEveningNight.h"
#include "leq/ExceedanceEvents.h"
#include "leq/LevelDistribution.h"
#include "leq/Periods.h"
#include "shell/Formats.h"

#include <QFile>
#include <QTextStream>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Samples = 1'000'000;

// A road: a background with passing vehicles above 65 dB for some tens of seconds, a few
// samples stored as 0 and one exclusion.
struct Recording {
    std::vector<double> times;
    std::vector<float> levels;
    std::vector<Exclusion> exclusions;
    Recording() : times(Samples), levels(Samples)
    {
        const double start = ReadIsoDateTime(QStringLiteral("2024-05-06 10:07:00"), nullptr);
        for (int i = 0; i < Samples; ++i) {
            times[i] = start + i * OneSecond;
            levels[i] = static_cast<float>(50.0 + 20.0 * std::pow(std::fabs(std::sin(i * 0.01)), 8.0) +
                                           3.0 * std::sin(i * 0.7));
        }
        for (int i = 0; i < Samples; i += 9973)
            levels[i] = 0.0f;
        exclusions.push_back({start + 0.5, start + 0.5 + 600 * OneSecond, QStringLiteral("dog")});
    }
    SurveySeries Series() const { return {times, levels, 1.0, exclusions}; }
};

const Recording& Road()
{
    static const Recording recording;
    return recording;
}

void BM_Periods15Minutes(benchmark::State& state)
{
    const SurveySeries series = Road().Series();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputePeriods(series, 15));
}
BENCHMARK(BM_Periods15Minutes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DayEveningNight(benchmark::State& state)
{
    const SurveySeries series = Road().Series();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeDayEveningNight(series, DenSettings{}));
}
BENCHMARK(BM_DayEveningNight)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Events(benchmark::State& state)
{
    const SurveySeries series = Road().Series();
    std::size_t events = 0;
    for (auto _ : state) {
        const ExceedanceEvents found = FindExceedanceEvents(series, {65.0, 10.0, 5.0});
        events = found.events.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_Events)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Distribution(benchmark::State& state)
{
    const SurveySeries series = Road().Series();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeLevelDistribution(series, 1.0));
}
BENCHMARK(BM_Distribution)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A million lines of qx574 watch, as CSV or JSON lines, written once.
QString WatchLogFile(bool json)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(json ? QStringLiteral("day.jsonl") : QStringLiteral("day.csv"));
    if (QFile::exists(path))
        return path;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    if (!json)
        file.write("time,record,level_db,weighting,response,range,over_under,meter_clock,leq_db,lmax_db,lmin_db,"
                   "readings,note\n");
    const Recording& road = Road();
    char line[320];
    for (int i = 0; i < Samples; ++i) {
        const QString time = IsoDateTimeText(road.times[i]) + QStringLiteral(".000");
        const QByteArray clock = time.left(19).toLatin1();
        const int length = json
            ? std::snprintf(line, sizeof line,
                            "{\"level_db\":%.1f,\"meter_clock\":\"%s\",\"over_under\":\"\",\"range\":\"30-130\","
                            "\"record\":\"reading\",\"response\":\"FAST\",\"time\":\"%s\",\"weighting\":\"dBA\"}\n",
                            road.levels[i], clock.constData(), time.toLatin1().constData())
            : std::snprintf(line, sizeof line, "%s,reading,%.1f,dBA,FAST,30-130,,%s,,,,,\n",
                            time.toLatin1().constData(), road.levels[i], clock.constData());
        file.write(line, length);
    }
    return path;
}

// What any program pays to see every line of the file: the floor for reading a log.
void PlainLineLoop(benchmark::State& state, bool json)
{
    const QString path = WatchLogFile(json);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        char line[1024];
        qint64 lines = 0;
        while (file.readLine(line, sizeof line) > 0)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
}

// The same as a Qt program usually writes it, each line a text.
void TextStreamLineLoop(benchmark::State& state, bool json)
{
    const QString path = WatchLogFile(json);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QTextStream in(&file);
        qint64 lines = 0;
        QString line;
        while (in.readLineInto(&line))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
}

void ReportPeriods(benchmark::State& state, bool json)
{
    const QString path = WatchLogFile(json);
    QTemporaryDir out;
    QString messages;
    Console console(&messages, false);
    ReportOptions options;
    options.source = path;
    options.csv = out.filePath(QStringLiteral("periods.csv"));
    options.periodMinutes = 15;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunReport(options, console));
}

// The log's readings alone, without any table.
void BM_ReadWatchLogCsv(benchmark::State& state)
{
    const QString path = WatchLogFile(false);
    QString error;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWatchLog(path, &error));
}

void BM_PlainLineLoopCsv(benchmark::State& state) { PlainLineLoop(state, false); }
void BM_TextStreamLineLoopCsv(benchmark::State& state) { TextStreamLineLoop(state, false); }
void BM_ReportPeriodsOfCsvLog(benchmark::State& state) { ReportPeriods(state, false); }
void BM_PlainLineLoopJsonLines(benchmark::State& state) { PlainLineLoop(state, true); }
void BM_ReportPeriodsOfJsonLinesLog(benchmark::State& state) { ReportPeriods(state, true); }
BENCHMARK(BM_PlainLineLoopCsv)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_TextStreamLineLoopCsv)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadWatchLogCsv)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReportPeriodsOfCsvLog)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainLineLoopJsonLines)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReportPeriodsOfJsonLinesLog)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

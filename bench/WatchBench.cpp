// qx574 watch's cost per record: formatting a reading in each format (goal: 2 µs or less)
// and publishing it through the spool to a broker that acknowledges at once (goal: 50 µs or
// less of the program's own CPU time, so that one process feeds 100 meters at a reading a
// second with room to spare). The spool's sync to the disk waits on the disk, not the CPU.
// And a week of a watch at one reading a second with a Leq a minute, run on a clock that
// moves as fast as the run: the heap's growth over the week (goal: under 1 MB, so a month
// unattended holds its memory) and the spool's size at its end.
#include "link/LinkSession.h"
#include "link/SimulatedMeter.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "watch/MqttFeed.h"
#include "watch/RunWatch.h"
#include "watch/RecordEncoders.h"
#include "watch/WatchSpool.h"
#include "watch/WatchWait.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <malloc.h>

#include <benchmark/benchmark.h>

namespace {

MeterStatus Reading()
{
    MeterStatus status;
    status.aWeighting = true;
    status.fast = true;
    status.rangeCode = Range::Auto;
    status.level = 634;
    status.year = 0x26;
    status.month = 0x03;
    status.day = 0x09;
    status.hours = 0x14;
    status.minutes = 0x05;
    status.seconds = 0x06;
    return status;
}

void FormatReading(benchmark::State& state)
{
    const RecordStyle style{static_cast<WatchFormat>(state.range(0)), {{QStringLiteral("site"), QStringLiteral("garden")}}};
    const MeterStatus status = Reading();
    RecordStamp stamp{DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7))), 1, QStringLiteral("QX574-0012345")};
    for (auto _ : state) {
        stamp.time += OneSecond;
        ++stamp.seq;
        benchmark::DoNotOptimize(EncodeRecord(style, ReadingRecord(stamp, status)));
    }
}
BENCHMARK(FormatReading)->Arg(static_cast<int>(WatchFormat::Csv))->Arg(static_cast<int>(WatchFormat::Jsonl))
    ->Arg(static_cast<int>(WatchFormat::Influx));

// A broker that acknowledges every message at once.
class AcknowledgingBroker final : public MqttClient {
public:
    bool Connect(const MqttTarget&, const QByteArray&, const Will&, QString*) override
    {
        events.push_back({Event::Connected, 0, {}});
        return true;
    }
    std::optional<int> Publish(const QByteArray&, const QByteArray&, bool) override
    {
        events.push_back({Event::Acknowledged, ++mid, {}});
        return mid;
    }
    // Returns at once without waiting, so that the run's own wait lets the time pass.
    bool Run(std::uint32_t, std::vector<Event>& out) override
    {
        out.insert(out.end(), events.begin(), events.end());
        events.clear();
        return false;
    }
    void Disconnect() override {}

    int Published() const { return mid; }

private:
    int mid = 0;
    std::vector<Event> events;
};

class NoWait final : public WatchWait {
public:
    void Sleep(std::uint32_t) override {}
    bool StopRequested() override { return false; }
};

void PublishWithSpool(benchmark::State& state)
{
    QTemporaryDir dir;
    WatchSpool spool;
    QString error;
    if (!spool.Open(dir.filePath(QStringLiteral("bench.spool")), 100 * 1000 * 1000, &error)) {
        state.SkipWithError(error.toLocal8Bit().constData());
        return;
    }
    const WatchMessages ignore = [](const QString&) {};
    AcknowledgingBroker broker;
    QString problem;
    MqttFeed feed({*ParseMqttUrl(QStringLiteral("mqtt://127.0.0.1/noise"), &problem), QStringLiteral("QX574-0012345"),
                   QStringLiteral("574"), true, true},
                  spool, broker, ignore);
    NoWait wait;
    feed.Service(0, wait);  // connected
    const MeterStatus status = Reading();
    RecordStamp stamp{DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7))), spool.NextSeq(),
                      QStringLiteral("QX574-0012345")};
    for (auto _ : state) {
        stamp.time += OneSecond;
        if (!feed.Publish(ReadingRecord(stamp, status), &error)) {
            state.SkipWithError(error.toLocal8Bit().constData());
            break;
        }
        ++stamp.seq;
        feed.Service(0, wait);
    }
    feed.Close(wait);
}
BENCHMARK(PublishWithSpool);

// The computer's clock as the run sees it: the day count follows the sleeps.
class RunClock final : public Clock {
public:
    double now = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)));
    std::uint32_t tick = 1000;
    double Now() override { return now; }
    std::uint32_t TickCountMs() override { return tick; }
    void SleepMs(std::uint32_t ms) override { Pass(ms); }
    void SingleShot(std::uint32_t ms, QObject*, std::function<void()> then) override
    {
        Pass(ms);
        then();
    }
    void Pass(std::uint32_t ms)
    {
        tick += ms;
        now += ms / 86400000.0;
    }
};

class ClockWait final : public WatchWait {
public:
    explicit ClockWait(RunClock& clock) : clock(clock) {}
    void Sleep(std::uint32_t ms) override { clock.Pass(ms); }
    bool StopRequested() override { return false; }

private:
    RunClock& clock;
};

double HeapInUse() { return static_cast<double>(mallinfo2().uordblks); }

void WeekOfWatchWithSpool(benchmark::State& state)
{
    // The spool in memory where the system has a folder for it: the week is about the heap,
    // and a sync to a real disk per record would make it last hours.
    QTemporaryDir shm(QStringLiteral("/dev/shm/qx574-week-XXXXXX"));
    QTemporaryDir disk;
    const QString spoolPath = (shm.isValid() ? shm : disk).filePath(QStringLiteral("week.spool"));
    RunClock clock;
    SetCurrentClock(&clock);
    SimulatedMeter meter;
    SetCurrentTransport(&meter);
    double growth = 0.0;
    double spoolBytes = 0.0;
    double published = 0.0;
    for (auto _ : state) {
        std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Exchange);
        WatchSpool spool;
        QString error;
        if (!link || !spool.Open(spoolPath, 100 * 1000 * 1000, &error)) {
            state.SkipWithError("no link or no spool");
            break;
        }
        const WatchMessages ignore = [](const QString&) {};
        AcknowledgingBroker broker;
        MqttFeed feed({*ParseMqttUrl(QStringLiteral("mqtt://127.0.0.1/noise"), &error), QStringLiteral("QX574-0012345"),
                       QStringLiteral("574"), true, true},
                      spool, broker, ignore);
        ClockWait wait(clock);
        WatchOptions options;
        options.leqMs = 60000;
        options.writeOut = false;
        options.meter = QStringLiteral("QX574-0012345");
        options.durationMs = 3600 * 1000;  // an hour first, for what is made once
        options.firstSeq = spool.NextSeq();
        RunWatch(options, *link, ignore, wait, &feed);
        const double before = HeapInUse();
        options.durationMs = std::int64_t{7} * 24 * 3600 * 1000;
        options.firstSeq = spool.NextSeq();
        // The run lets the spool go as it ends; the next run opens it again.
        if (!spool.Open(spoolPath, 100 * 1000 * 1000, &error)) {
            state.SkipWithError("the spool did not open again");
            break;
        }
        RunWatch(options, *link, ignore, wait, &feed);
        growth = HeapInUse() - before;
        published = broker.Published();
        spool.Close();
        spoolBytes = static_cast<double>(QFileInfo(spoolPath).size());
    }
    state.counters["heap_growth_bytes"] = growth;
    state.counters["spool_bytes_at_end"] = spoolBytes;
    state.counters["records_published"] = published;
    SetCurrentTransport(nullptr);
    SetCurrentClock(nullptr);
}
BENCHMARK(WeekOfWatchWithSpool)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

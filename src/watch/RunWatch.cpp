#include "watch/RunWatch.h"

#include "leq/EnergyAverage.h"
#include "link/LinkSession.h"
#include "link/MeasurableLevel.h"
#include "link/MeterIdentity.h"
#include "link/MeterLink.h"
#include "link/MeterPresence.h"
#include "link/MeterStatus.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "watch/MqttFeed.h"
#include "watch/RecordTime.h"
#include "watch/RunClock.h"
#include "watch/WatchOutput.h"
#include "watch/WatchWait.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr std::int64_t RetryPauseMs = 100;
constexpr std::int64_t SearchEveryMs = 1000;
constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t LongestSleepMs = 24 * 3600 * 1000;

// The first time of the cadence after now, and the first from now on.
std::int64_t NextSlot(std::int64_t now, std::int64_t every) { return (now / every + 1) * every; }
std::int64_t SlotFrom(std::int64_t now, std::int64_t every) { return (now + every - 1) / every * every; }

QString SecondsText(std::int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0); }

class WatchRun {
public:
    WatchRun(const WatchOptions& options, LinkSequence& link, const WatchMessages& tell, WatchWait& wait,
             WatchOutput* output, MqttFeed* feed)
        : options(options), link(link), tell(tell), wait(wait), output(output), feed(feed),
          clock(CurrentClock()), nextLeq(options.leqMs > 0 ? options.leqMs : Never), nextSeq(options.firstSeq)
    {
    }

    WatchEnd Run();

private:
    void TakeReading();
    void Record(const MeterStatus& status);
    void Lose(const QString& why);
    void LookForMeter();
    void CloseDueIntervals(std::int64_t now);
    void CloseInterval();
    using MakeRecord = std::function<WatchRecord(const RecordStamp&)>;
    bool Emit(double time, const MakeRecord& make);
    bool Write(const QByteArray& line);
    void Pass(std::int64_t ms);
    bool PauseBeforeRetry();
    std::int64_t NextDue() const;
    QString Summary() const;

    const WatchOptions& options;
    LinkSequence& link;
    const WatchMessages& tell;
    WatchWait& wait;
    WatchOutput* output;
    MqttFeed* feed;
    RunClock clock;

    std::int64_t nextReading = 0;
    std::int64_t nextLeq;
    std::int64_t nextSearch = Never;
    MeterPresence presence;
    bool lost = false;
    bool writeFailed = false;
    std::optional<double> lastReadingTime;
    std::uint64_t nextSeq;

    EnergyAverage interval;
    EnergyAverage overall;
    int records = 0;
    int readings = 0;
    int leqRecords = 0;
    int gaps = 0;
};

WatchEnd WatchRun::Run()
{
    tell(QStringLiteral("Watching the meter every %1 s%2; Ctrl-C ends.")
             .arg(SecondsText(options.everyMs),
                  options.durationMs > 0 ? QStringLiteral(" for %1 s").arg(SecondsText(options.durationMs))
                                         : QString()));
    while (!writeFailed && !wait.StopRequested()) {
        const std::int64_t now = clock.Elapsed();
        if (options.durationMs > 0 && now >= options.durationMs)
            break;
        CloseDueIntervals(now);
        if (lost && now >= nextSearch) {
            LookForMeter();
        } else if (!lost && now >= nextReading) {
            TakeReading();
            // A reading that outlasted the cadence (retries, a slow link) skips the times it
            // missed instead of catching up in a burst.
            nextReading = std::max(nextReading + options.everyMs, SlotFrom(clock.Elapsed(), options.everyMs));
        } else {
            Pass(NextDue() - now);
        }
    }
    CloseInterval();  // the one the end cut short
    if (feed)
        feed->Close(wait);
    tell(Summary());
    return writeFailed ? WatchEnd::CannotWrite : WatchEnd::Done;
}

std::int64_t WatchRun::NextDue() const
{
    const std::int64_t end = options.durationMs > 0 ? options.durationMs : Never;
    return std::min({lost ? nextSearch : nextReading, nextLeq, end});
}

void WatchRun::TakeReading()
{
    // A reading retries until it is answered or the meter counts as lost.
    for (bool first = true;; first = false) {
        if (!first && !PauseBeforeRetry())
            return;
        const bool read = PollStatus(link);
        const MeterPresence::Poll poll = MeterPresence::Classify(read, link.Reply());
        if (poll == MeterPresence::Poll::Answered) {
            presence.LosesMeter(poll);
            Record(DecodeMeterStatus(link.Reply()));
            return;
        }
        if (presence.LosesMeter(poll)) {
            Lose(presence.LostReason());
            return;
        }
    }
}

// Lets time pass; a feed runs its connection meanwhile.
void WatchRun::Pass(std::int64_t ms)
{
    const auto pause = static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 1, LongestSleepMs));
    if (feed)
        feed->Service(pause, wait);
    else
        wait.Sleep(pause);
}

bool WatchRun::PauseBeforeRetry()
{
    const std::int64_t until = clock.Elapsed() + RetryPauseMs;
    for (std::int64_t now = clock.Elapsed(); now < until; now = clock.Elapsed()) {
        if (wait.StopRequested())
            return false;
        Pass(until - now);
    }
    return !wait.StopRequested();
}

void WatchRun::Record(const MeterStatus& status)
{
    const double time = CurrentClock().Now();
    // A reading that a retry pushed past the end of an interval belongs to the next one.
    CloseDueIntervals(clock.Elapsed());
    if (feed)
        feed->SetWeighting(status.aWeighting);
    if (!Emit(time, [&](const RecordStamp& stamp) { return ReadingRecord(stamp, status); }))
        return;
    ++readings;
    lastReadingTime = time;
    const double level = DisplayedLevel(status) / 10.0;
    if (IsMeasurableLevel(level)) {
        interval.Add(level);
        overall.Add(level);
    }
}

void WatchRun::Lose(const QString& why)
{
    const double time = CurrentClock().Now();
    lost = true;
    ++gaps;
    nextSearch = clock.Elapsed() + SearchEveryMs;
    Emit(time, [&](const RecordStamp& stamp) { return EventRecord(stamp, WatchEvent::Lost, why); });
    tell(QStringLiteral("%1 Lost the meter: %2; looking for it every second.").arg(RecordTimeText(time), why));
}

void WatchRun::LookForMeter()
{
    // Found means named "574" and answering a status poll too: a meter that names itself but
    // sends no status would otherwise be found and lost again every other second.
    const bool found = !MeterIdentityProblem(link)
        && MeterPresence::Classify(PollStatus(link), link.Reply()) == MeterPresence::Poll::Answered;
    if (!found) {
        nextSearch = std::max(nextSearch + SearchEveryMs, clock.Elapsed() + 1);
        return;
    }
    const double time = CurrentClock().Now();
    lost = false;
    nextSearch = Never;
    nextReading = SlotFrom(clock.Elapsed(), options.everyMs);
    QString note = QStringLiteral("the meter answers again");
    if (lastReadingTime) {
        const double gapSeconds = (time - *lastReadingTime) / OneSecond;
        note += QStringLiteral("; no readings for %1 s").arg(QString::number(gapSeconds, 'f', 1));
    }
    Emit(time, [&](const RecordStamp& stamp) { return EventRecord(stamp, WatchEvent::Resumed, note); });
    tell(QStringLiteral("%1 Found the meter again: %2.").arg(RecordTimeText(time), note));
}

void WatchRun::CloseDueIntervals(std::int64_t now)
{
    if (now < nextLeq)
        return;
    CloseInterval();
    nextLeq = NextSlot(now, options.leqMs);
}

void WatchRun::CloseInterval()
{
    // An interval without readings (the meter was lost throughout) has no Leq to write.
    const double secondsEach = static_cast<double>(options.everyMs) / 1000.0;
    if (options.leqMs > 0 && interval.Count() > 0
        && Emit(CurrentClock().Now(),
                [&](const RecordStamp& stamp) { return LeqRecord(stamp, interval, secondsEach); }))
        ++leqRecords;
    interval = {};
}

// A record with the next seq, built once and handed to the output and the feed; when the
// feed's spool had to drop records for it, an event says how many.
bool WatchRun::Emit(double time, const MakeRecord& make)
{
    if (writeFailed)
        return false;
    const WatchRecord record = make({time, nextSeq, options.meter, CurrentClock().UtcOffsetSeconds()});
    if (output && !Write(EncodeRecord(options.style, record)))
        return false;
    if (feed) {
        QString error;
        const std::optional<qint64> dropped = feed->Publish(record, &error);
        if (!dropped) {
            tell(error);
            writeFailed = true;
            return false;
        }
        if (*dropped > 0) {
            ++nextSeq;
            ++records;
            const QString note = QStringLiteral("the spool was full; its %1 oldest records were dropped").arg(*dropped);
            tell(QStringLiteral("%1 %2.").arg(RecordTimeText(time), note));
            return Emit(time,
                        [&](const RecordStamp& stamp) { return EventRecord(stamp, WatchEvent::Dropped, note); });
        }
    }
    ++nextSeq;
    ++records;
    return true;
}

bool WatchRun::Write(const QByteArray& line)
{
    QString error;
    if (!output->Write(line, &error)) {
        tell(error);
        writeFailed = true;
        return false;
    }
    return true;
}

QString WatchRun::Summary() const
{
    const std::optional<double> leq = overall.Leq();
    return QStringLiteral("Records written: %1 (%2 readings, %3 Leq); gaps: %4; overall Leq: %5.")
        .arg(records)
        .arg(readings)
        .arg(leqRecords)
        .arg(gaps)
        .arg(leq ? QString::number(*leq, 'f', 1) + QStringLiteral(" dB") : QStringLiteral("none"));
}

}  // namespace

WatchEnd RunWatch(const WatchOptions& options, LinkSequence& link, const WatchMessages& tell, WatchWait& wait,
                  MqttFeed* feed)
{
    if (const std::optional<QString> problem = MeterIdentityProblem(link)) {
        tell(*problem);
        return WatchEnd::NoMeter;
    }
    WatchOutput output;
    QString error;
    if (options.writeOut && !output.Open(options.out, WatchHeader(options.style.format), &error)) {
        tell(error);
        return WatchEnd::CannotWrite;
    }
    return WatchRun(options, link, tell, wait, options.writeOut ? &output : nullptr, feed).Run();
}

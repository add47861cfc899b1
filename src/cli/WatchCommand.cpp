#include "cli/WatchCommand.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/IdentifyMeter.h"
#include "cli/WatchOutput.h"
#include "cli/WatchWait.h"
#include "leq/EnergyAverage.h"
#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MeasurableLevel.h"
#include "link/MeterLink.h"
#include "link/MeterPresence.h"
#include "link/MeterStatus.h"
#include "shell/Clock.h"
#include "shell/Formats.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr std::int64_t RetryPauseMs = 100;
constexpr std::int64_t SearchEveryMs = 1000;
constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t LongestSleepMs = 24 * 3600 * 1000;

// Milliseconds since the run began, on the clock seam's tick count. Each read adds the
// unsigned difference from the one before, so the count's wrap is harmless and a run of
// any length fits.
class RunClock {
public:
    explicit RunClock(Clock& clock) : clock(clock), last(clock.TickCountMs()) {}
    std::int64_t Elapsed()
    {
        const std::uint32_t now = clock.TickCountMs();
        elapsed += static_cast<std::uint32_t>(now - last);
        last = now;
        return elapsed;
    }

private:
    Clock& clock;
    std::uint32_t last;
    std::int64_t elapsed = 0;
};

// The first time of the cadence after now, and the first from now on.
std::int64_t NextSlot(std::int64_t now, std::int64_t every) { return (now / every + 1) * every; }
std::int64_t SlotFrom(std::int64_t now, std::int64_t every) { return (now + every - 1) / every * every; }

QString SecondsText(std::int64_t ms) { return QString::number(static_cast<double>(ms) / 1000.0); }

class WatchRun {
public:
    WatchRun(const WatchOptions& options, LinkSequence& link, Console& console, WatchWait& wait,
             WatchOutput& output)
        : options(options), link(link), console(console), wait(wait), output(output),
          clock(CurrentClock()), nextLeq(options.leqMs > 0 ? options.leqMs : Never)
    {
    }

    int Run();

private:
    void TakeReading();
    void Record(const MeterStatus& status);
    void Lose(const QString& why);
    void LookForMeter();
    void CloseDueIntervals(std::int64_t now);
    void CloseInterval();
    bool Write(const QByteArray& line);
    bool PauseBeforeRetry();
    std::int64_t NextDue() const;
    QString Summary() const;

    const WatchOptions& options;
    LinkSequence& link;
    Console& console;
    WatchWait& wait;
    WatchOutput& output;
    RunClock clock;

    std::int64_t nextReading = 0;
    std::int64_t nextLeq;
    std::int64_t nextSearch = Never;
    MeterPresence presence;
    bool lost = false;
    bool writeFailed = false;
    std::optional<double> lastReadingTime;

    EnergyAverage interval;
    EnergyAverage overall;
    int records = 0;
    int readings = 0;
    int leqRecords = 0;
    int gaps = 0;
};

int WatchRun::Run()
{
    console.Line(QStringLiteral("Watching the meter every %1 s%2; Ctrl-C ends.")
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
            const std::int64_t pause = std::clamp<std::int64_t>(NextDue() - now, 1, LongestSleepMs);
            wait.Sleep(static_cast<std::uint32_t>(pause));
        }
    }
    CloseInterval();  // the one the end cut short
    console.Line(Summary());
    return writeFailed ? ExitStatus::File : ExitStatus::Ok;
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

bool WatchRun::PauseBeforeRetry()
{
    const std::int64_t until = clock.Elapsed() + RetryPauseMs;
    for (std::int64_t now = clock.Elapsed(); now < until; now = clock.Elapsed()) {
        if (wait.StopRequested())
            return false;
        wait.Sleep(static_cast<std::uint32_t>(until - now));
    }
    return !wait.StopRequested();
}

void WatchRun::Record(const MeterStatus& status)
{
    const double time = CurrentClock().Now();
    // A reading that a retry pushed past the end of an interval belongs to the next one.
    CloseDueIntervals(clock.Elapsed());
    if (!Write(ReadingRecord(options.format, time, status)))
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
    Write(EventRecord(options.format, time, WatchEvent::Lost, why));
    console.Line(
        QStringLiteral("%1 Lost the meter: %2; looking for it every second.").arg(RecordTimeText(time), why));
}

void WatchRun::LookForMeter()
{
    // Found means named "574" and answering a status poll too: a meter that names itself but
    // sends no status would otherwise be found and lost again every other second.
    const bool found = ExchangeCommand(link, Cmd::Identify) && IsOurModel(link.Reply())
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
    Write(EventRecord(options.format, time, WatchEvent::Resumed, note));
    console.Line(QStringLiteral("%1 Found the meter again: %2.").arg(RecordTimeText(time), note));
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
    if (options.leqMs > 0 && interval.Count() > 0 && Write(LeqRecord(options.format, CurrentClock().Now(), interval)))
        ++leqRecords;
    interval = {};
}

bool WatchRun::Write(const QByteArray& line)
{
    if (writeFailed)
        return false;
    QString error;
    if (!output.Write(line, &error)) {
        console.Line(error);
        writeFailed = true;
        return false;
    }
    ++records;
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

int RunWatch(const WatchOptions& options, LinkSequence& link, Console& console, WatchWait& wait)
{
    if (const int status = IdentifyMeter(link, console); status != ExitStatus::Ok)
        return status;
    WatchOutput output;
    QString error;
    if (!output.Open(options.out, WatchHeader(options.format), &error)) {
        console.Line(error);
        return ExitStatus::File;
    }
    return WatchRun(options, link, console, wait, output).Run();
}

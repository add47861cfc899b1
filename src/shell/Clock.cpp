#include "shell/Clock.h"

#include "shell/Formats.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

class SystemClock final : public Clock {
public:
    double Now() override { return DaysFromDateTime(QDateTime::currentDateTime()); }
    std::uint32_t TickCountMs() override
    {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    void SleepMs(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void SingleShot(std::uint32_t ms, QObject* context, std::function<void()> then) override
    {
        QTimer::singleShot(std::chrono::milliseconds(ms), context, std::move(then));
    }
    std::int64_t UtcOffsetSeconds() override { return QDateTime::currentDateTime().offsetFromUtc(); }
};


SystemClock systemClock;
Clock* current = &systemClock;

}  // namespace

Clock& CurrentClock() { return *current; }

std::int64_t Clock::UtcOffsetSeconds() { return LocalUtcOffsetSeconds(Now()); }

std::int64_t LocalUtcOffsetSeconds(double days)
{
    const QDateTime read = DateTimeFromDays(days);
    if (!read.isValid())
        return 0;
    // The day count's wall-clock date and time, taken as the local zone's.
    return QDateTime(read.date(), read.time(), Qt::LocalTime).offsetFromUtc();
}

void SetCurrentClock(Clock* clock) { current = clock ? clock : &systemClock; }

void DelayMs(std::uint32_t ms)
{
    Clock& clock = CurrentClock();
    const std::uint32_t start = clock.TickCountMs();
    for (;;) {
        const std::uint32_t waited = clock.TickCountMs() - start;
        if (waited > ms)
            return;
        clock.SleepMs(std::min(ms - waited, SleepStepMs - 1) + 1);
    }
}

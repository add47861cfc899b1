#include "shell/Clock.h"

#include "shell/Formats.h"

#include <QDateTime>

#include <chrono>

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
};

SystemClock systemClock;
Clock* current = &systemClock;

}  // namespace

Clock& CurrentClock() { return *current; }

void SetCurrentClock(Clock* clock) { current = clock ? clock : &systemClock; }

void DelayMs(std::uint32_t ms)
{
    Clock& clock = CurrentClock();
    const std::uint32_t start = clock.TickCountMs();
    while (static_cast<std::uint32_t>(clock.TickCountMs() - start) <= ms) {
    }
}

#pragma once
#include "FakeClock.h"
#include "watch/WatchWait.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Lets time pass by moving the test clock, so a run of minutes ends at once. Actions (a fault
// switched on or off) happen in the first wait that reaches their time; StopRequested stands
// for Ctrl-C.
class TestWait final : public WatchWait {
public:
    TestWait(FakeClock& clock, double start) : clock(clock), start(start) {}

    void Sleep(std::uint32_t ms) override
    {
        elapsedMs += ms;
        clock.tick += ms;
        clock.now = start + static_cast<double>(elapsedMs) / 86400000.0;
        for (auto& [at, action] : actions)
            if (action && elapsedMs >= at)
                std::exchange(action, nullptr)();
    }
    bool StopRequested() override { return stopAtMs && elapsedMs >= *stopAtMs; }

    // ms counts from the test's start, over all the runs in it.
    void At(std::int64_t ms, std::function<void()> action) { actions.emplace_back(ms, std::move(action)); }

    std::int64_t elapsedMs = 0;
    std::optional<std::int64_t> stopAtMs;

private:
    FakeClock& clock;
    double start;
    std::vector<std::pair<std::int64_t, std::function<void()>>> actions;
};

#pragma once
// Figures of a benchmark that does its work and a plain program's same work in each iteration:
// both times and their ratio, the goals being ratios measured side by side in one run.
#include <benchmark/benchmark.h>

#include <ctime>

// The processor time this process has used, in seconds.
inline double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Totals over the iterations; Report sets the time of an iteration to ours, and the counters.
class PlainRatio {
public:
    void Add(double oursSeconds, double plainSeconds)
    {
        ours += oursSeconds;
        plain += plainSeconds;
    }
    void Report(benchmark::State& state) const
    {
        const double n = static_cast<double>(state.iterations());
        state.counters["ours_ms"] = 1000.0 * ours / n;
        state.counters["plain_ms"] = 1000.0 * plain / n;
        state.counters["ratio"] = plain > 0.0 ? ours / plain : 0.0;
    }

private:
    double ours = 0.0;
    double plain = 0.0;
};

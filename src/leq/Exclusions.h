#pragma once
#include <QString>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// A span of a recording left out of its analysis, with why: [from, to) in wall-clock days.
struct Exclusion {
    double from = 0.0;
    double to = 0.0;
    QString reason;
    bool operator==(const Exclusion&) const = default;
};

// Whether a wall-clock time falls in any of the exclusions, to the millisecond.
class ExcludedTimes {
public:
    explicit ExcludedTimes(std::span<const Exclusion> exclusions);
    bool Contains(std::int64_t ms) const;
    const std::vector<std::pair<std::int64_t, std::int64_t>>& Spans() const { return spans; }

private:
    std::vector<std::pair<std::int64_t, std::int64_t>> spans;  // sorted, merged, each [from, to)
};

// The samples outside the exclusions, for the measures that take plain lists of points.
struct KeptPoints {
    std::vector<double> times;
    std::vector<float> levels;
};
KeptPoints WithoutExclusions(std::span<const double> times, std::span<const float> levels,
                             std::span<const Exclusion> exclusions);

// The measured time each exclusion removes (its valid samples times the interval), and what
// they remove together, a sample in overlapping exclusions counted once. One sort of the
// samples' times, then two lookups per exclusion, however many exclusions there are.
struct RemovedTime {
    std::vector<double> each;  // seconds, in the exclusions' order
    double total = 0.0;
};
RemovedTime TimeRemovedByExclusions(std::span<const double> times, std::span<const float> levels,
                                    double intervalSeconds, std::span<const Exclusion> exclusions);

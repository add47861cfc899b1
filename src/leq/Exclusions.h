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

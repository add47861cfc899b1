#pragma once
#include <cstddef>
#include <vector>

// Where the plot draws a time: its pixel column, as the plot itself truncates it.
struct ColumnMapping {
    double lower = 0.0;  // times at the plot area's left and right edges
    double upper = 0.0;
    int left = 0;        // the plot area's left edge and width in pixels
    int width = 0;
    bool operator==(const ColumnMapping&) const = default;
    // Times before or after the plot area fall in one column on either side of it.
    int Column(double key) const;
};

struct ThinnedPoint {
    double key = 0.0;
    double value = 0.0;  // NaN for a gap
};

// A long series as it is drawn: of the points in one pixel column only the first, the lowest,
// the highest and the last are kept, in their order. The plot's own sampling draws each
// column from exactly those, so the picture is the same for a few points per column whatever
// the length of the series. Points are added in time order, one at a time, so a series that
// grows costs the same per point at a million points as at ten. A gap (a NaN value) is kept
// as a point of its own, and the line starts again after it.
class ColumnThinning {
public:
    explicit ColumnThinning(const ColumnMapping& mapping) : mapping(mapping) {}
    const ColumnMapping& Mapping() const { return mapping; }
    void Add(double key, double value);
    const std::vector<ThinnedPoint>& Kept() const;

private:
    struct Entry {
        long long order;
        ThinnedPoint point;
    };
    void KeepColumn() const;

    ColumnMapping mapping;
    // The open column's points are written when they are read or the column closes, not at
    // every point added to it.
    mutable std::vector<ThinnedPoint> kept;
    mutable bool columnChanged = false;
    std::size_t columnStart = 0;  // where the open column's points begin in kept
    bool open = false;            // a column is open and takes more points
    int column = 0;
    long long added = 0;
    Entry first{}, lowest{}, highest{}, last{};
};

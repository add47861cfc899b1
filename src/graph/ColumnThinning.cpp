#include "graph/ColumnThinning.h"

#include <algorithm>
#include <cmath>

int ColumnMapping::Column(double key) const
{
    const double span = upper - lower;
    const double pixel = span > 0.0 ? (key - lower) / span * width + left : left;
    // Clamped before the conversion: a time far off the plot is no column of its own, and
    // converting a huge or NaN double to int is undefined.
    if (!(pixel >= left))
        return left - 1;
    if (pixel >= left + width + 1.0)
        return left + width + 1;
    return static_cast<int>(pixel);
}

void ColumnThinning::Add(double key, double value)
{
    const Entry entry{added++, {key, value}};
    const int at = std::isnan(value) ? 0 : mapping.Column(key);
    if (open && (std::isnan(value) || at != column))
        KeepColumn();
    if (std::isnan(value)) {
        kept.push_back(entry.point);
        open = false;
        return;
    }
    if (!open || at != column) {
        open = true;
        column = at;
        columnStart = kept.size();
        first = lowest = highest = last = entry;
        kept.push_back(entry.point);
        return;
    }
    last = entry;
    if (value < lowest.point.value)
        lowest = entry;
    if (value > highest.point.value)
        highest = entry;
    columnChanged = true;
}

const std::vector<ThinnedPoint>& ColumnThinning::Kept() const
{
    KeepColumn();
    return kept;
}

void ColumnThinning::KeepColumn() const
{
    if (!columnChanged)
        return;
    columnChanged = false;
    Entry points[4] = {first, lowest, highest, last};
    std::sort(std::begin(points), std::end(points),
              [](const Entry& a, const Entry& b) { return a.order < b.order; });
    kept.resize(columnStart);
    for (std::size_t i = 0; i < 4; ++i) {
        if (i == 0 || points[i].order != points[i - 1].order)
            kept.push_back(points[i].point);
    }
}

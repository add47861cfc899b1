#include "logger/ChangeDataSetTime.h"

bool ChangeDataSetTime(DataSetTable& table, int set, double newStart)
{
    if (set < 0 || set >= static_cast<int>(table.sets.size()))
        return false;
    DataSet& changed = table.sets[static_cast<std::size_t>(set)];
    const std::int64_t first = table.FirstSample(set);
    if (first + changed.sampleCount > static_cast<std::int64_t>(table.times.size()))
        return false;
    changed.startTime = newStart;
    for (std::int64_t k = 0; k < changed.sampleCount; ++k)
        table.times[static_cast<std::size_t>(first + k)] = SampleTime(changed, k);
    return true;
}

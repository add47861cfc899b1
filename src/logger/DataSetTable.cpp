#include "logger/DataSetTable.h"

#include "shell/Formats.h"

std::int64_t DataSetTable::FirstSample(int set) const
{
    std::int64_t first = 0;
    for (int i = 0; i < set && i < static_cast<int>(sets.size()); ++i)
        first += sets[static_cast<std::size_t>(i)].sampleCount;
    return first;
}

double SampleTime(const DataSet& set, std::int64_t k)
{
    return set.startTime + static_cast<double>(k) * (set.interval * OneSecond);
}

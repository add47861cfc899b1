#include "recording/RecordingsOfTable.h"

#include "logger/DataSetFlags.h"

#include <algorithm>

Recording RecordingOfSet(const DataSetTable& table, int set, const QString& sourceFile)
{
    Recording recording;
    recording.sourceFile = sourceFile;
    recording.set = set + 1;
    recording.name = QStringLiteral("Data set %1").arg(set + 1);
    if (set < 0 || set >= static_cast<int>(table.sets.size()))
        return recording;
    const DataSet& data = table.sets[static_cast<std::size_t>(set)];
    recording.start = data.startTime;
    recording.intervalSeconds = data.interval;
    recording.weighting = WeightingOfFlags(data.flags);
    recording.response = ResponseOfFlags(data.flags);
    recording.range = RangeOfFlags(data.flags);
    const auto first = static_cast<std::size_t>(std::max<std::int64_t>(0, table.FirstSample(set)));
    const std::size_t held = std::min(table.times.size(), table.levels.size());
    const std::size_t count = first < held ? std::min<std::size_t>(std::max(0, data.sampleCount), held - first) : 0;
    recording.times.assign(table.times.begin() + static_cast<std::ptrdiff_t>(first),
                           table.times.begin() + static_cast<std::ptrdiff_t>(first + count));
    recording.levels.assign(table.levels.begin() + static_cast<std::ptrdiff_t>(first),
                            table.levels.begin() + static_cast<std::ptrdiff_t>(first + count));
    return recording;
}

std::vector<Recording> RecordingsOf(const DataSetTable& table, const QString& sourceFile)
{
    std::vector<Recording> recordings;
    recordings.reserve(table.sets.size());
    for (int i = 0; i < static_cast<int>(table.sets.size()); ++i)
        recordings.push_back(RecordingOfSet(table, i, sourceFile));
    return recordings;
}

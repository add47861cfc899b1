#pragma once
#include <cstdint>
#include <vector>

// One recording of the data logger as decoded from the logger memory.
struct DataSet {
    double startTime = 0.0;          // days since 1899-12-30
    std::int32_t interval = 0;       // seconds between samples
    std::int32_t sampleCount = 0;
    std::uint8_t flags = 0;          // as stored: FAST, dBA and the range (see LoggerLayout)
    std::int32_t headerOffset = 0;   // offset of the start marker
    std::int32_t endOffset = 0;      // offset of the last byte of the end marker
    std::int32_t maxIndex = 0;       // within the set: first sample with the highest level
    std::int32_t minIndex = 0;       // within the set: first sample with the lowest level
    double average = 0.0;            // mean level in dB
};

// Every recording of one download, with the samples of all sets concatenated in set order:
// set i owns exactly sampleCount entries of levels and times, from FirstSample(i) on.
struct DataSetTable {
    std::vector<DataSet> sets;
    std::vector<float> levels;   // dB; 0 where the meter's value was out of range
    std::vector<double> times;   // days

    // S(i): the sum of sampleCount over the sets before set i.
    std::int64_t FirstSample(int set) const;
};

// The date-time of sample k of a set: its start plus k intervals.
double SampleTime(const DataSet& set, std::int64_t k);

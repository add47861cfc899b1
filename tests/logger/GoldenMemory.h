#pragma once
#include "HexImage.h"
#include "link/MemoryImage.h"
#include "logger/DataSetTable.h"
#include "logger/DecodeMemoryImage.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// A local date-time as days since 1899-12-30, worked out apart from the code under test.
inline double Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                  int ms = 0)
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)))
        + ((hour * 60 + minute) * 60 + second + ms / 1000.0) / 86400.0;
}

// Times agree when they are within a millisecond.
constexpr double SameTime = 1.0 / 86400000.0;

// The clock's reading during the decoding tests: 2023-07-15 14:30:45.250.
inline const double TestNow = Day(2023, 7, 15, 14, 30, 45, 250);

// Decodes a golden image with the memoryEnd its header announces, as the callers do.
inline DecodedMemory DecodeGolden(const char* name, double now = TestNow)
{
    const std::vector<std::uint8_t> image = ReadHexImage(name);
    return DecodeMemoryImage(image, ReadMemoryEnd(image), now);
}

// n sample times from start, interval seconds apart.
inline std::vector<double> SampleTimes(double start, int interval, int n)
{
    std::vector<double> times;
    for (int k = 0; k < n; ++k)
        times.push_back(start + k * interval / 86400.0);
    return times;
}

template <typename T>
std::vector<T> Joined(std::initializer_list<std::vector<T>> parts)
{
    std::vector<T> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Every field of every set, every level and every time.
inline void ExpectTable(const DataSetTable& actual, const std::vector<DataSet>& sets,
                        const std::vector<float>& levels, const std::vector<double>& times)
{
    ASSERT_EQ(actual.sets.size(), sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "set " << i);
        const DataSet& a = actual.sets[i];
        const DataSet& e = sets[i];
        EXPECT_NEAR(a.startTime, e.startTime, SameTime);
        EXPECT_EQ(a.interval, e.interval);
        EXPECT_EQ(a.sampleCount, e.sampleCount);
        EXPECT_EQ(a.flags, e.flags);
        EXPECT_EQ(a.headerOffset, e.headerOffset);
        EXPECT_EQ(a.endOffset, e.endOffset);
        EXPECT_EQ(a.maxIndex, e.maxIndex);
        EXPECT_EQ(a.minIndex, e.minIndex);
        EXPECT_NEAR(a.average, e.average, 1e-6);
    }
    EXPECT_EQ(actual.levels, levels);
    ASSERT_EQ(actual.times.size(), times.size());
    for (std::size_t k = 0; k < times.size(); ++k)
        EXPECT_NEAR(actual.times[k], times[k], SameTime) << "sample " << k;
}

// The four recordings of memory_back_to_back.hex.
inline std::vector<DataSet> BackToBackSets()
{
    return {
        {Day(2021, 3, 1, 7, 0, 0), 1, 3, 0x07, 256, 279, 1, 0, 71.0},
        {Day(2021, 3, 1, 7, 10, 0), 2, 4, 0x0C, 280, 305, 2, 1, 50.0},
        {Day(2021, 3, 2, 23, 59, 58), 5, 2, 0x09, 306, 327, 1, 0, (100.0 + double(100.6f)) / 2},
        {Day(2021, 3, 3, 10, 0, 0), 60, 2, 0x02, 328, 349, 0, 1, 15.0},
    };
}
inline std::vector<float> BackToBackLevels()
{
    return {70.0f, 72.0f, 71.0f, 50.0f, 49.0f, 52.0f, 49.0f, 100.0f, 100.6f, 30.0f, 0.0f};
}
inline std::vector<double> BackToBackTimes()
{
    return Joined<double>({SampleTimes(Day(2021, 3, 1, 7, 0, 0), 1, 3),
                           SampleTimes(Day(2021, 3, 1, 7, 10, 0), 2, 4),
                           SampleTimes(Day(2021, 3, 2, 23, 59, 58), 5, 2),
                           SampleTimes(Day(2021, 3, 3, 10, 0, 0), 60, 2)});
}

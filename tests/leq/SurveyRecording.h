#pragma once
#include "leq/SurveySeries.h"
#include "shell/Formats.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <optional>
#include <vector>

// A wall-clock time as a recording stores it: "2024-05-06 10:07:00".
inline double At(const char* text)
{
    bool ok = false;
    const double days = ReadIsoDateTime(QString::fromLatin1(text), &ok);
    EXPECT_TRUE(ok) << text;
    return days;
}

// A recording built sample by sample, times as the logger makes them (start + k intervals,
// with the rounding of that sum).
struct SurveyRecording {
    double start = 0.0;
    double interval = 1.0;
    std::vector<double> times;
    std::vector<float> levels;
    std::vector<Exclusion> exclusions;

    SurveyRecording(const char* startText, double intervalSeconds) : start(At(startText)), interval(intervalSeconds) {}

    // count samples at level, following on from the last.
    SurveyRecording& Add(float level, int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            times.push_back(start + static_cast<double>(times.size()) * interval * OneSecond);
            levels.push_back(level);
        }
        return *this;
    }
    SurveyRecording& Add(std::initializer_list<float> list)
    {
        for (float level : list)
            Add(level);
        return *this;
    }
    // Leaves count sample places empty: a gap in the recording.
    SurveyRecording& Skip(int count)
    {
        start += count * interval * OneSecond;
        return *this;
    }
    // One sample at a time of its own.
    SurveyRecording& AddAt(const char* time, float level)
    {
        times.push_back(At(time));
        levels.push_back(level);
        return *this;
    }
    SurveyRecording& Exclude(const char* from, const char* to, const char* reason)
    {
        exclusions.push_back({At(from), At(to), QString::fromLatin1(reason)});
        return *this;
    }
    SurveySeries Series() const { return {times, levels, interval, exclusions}; }
};

// A figure to the one decimal every table shows; NaN when none is given.
inline double Shown(std::optional<double> value)
{
    return value ? std::round(*value * 10.0) / 10.0 : std::nan("");
}

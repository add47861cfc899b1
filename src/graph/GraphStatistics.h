#pragma once
#include <optional>

// The points that hold data: those before the first time that is exactly 0 (a real-time
// chart not yet filled up holds 0 there, with the null level).
int FilledPoints(const double* times, int count);

// Whole-graph statistics of one subset.
struct GraphStatistics {
    int count = 0;
    double start = 0.0;           // first time, display-rounded
    double intervalSeconds = 0.0; // (last - rounded first) / count, in seconds
    std::optional<double> average;
    float maximum = -9999.0f;
    int maximumIndex = -1;        // -1 when no level lies above the start value
    float minimum = 9999.0f;
    int minimumIndex = -1;
};

// Walks points 0..count-1; the first of equal extremes wins. No points give count 0 and
// read nothing.
GraphStatistics ComputeGraphStatistics(const double* times, const float* levels, int count);

// Statistics of the points between two cursors, both ends included, in either order.
struct CursorStatistics {
    std::optional<double> average;
    float maximum = -99999.0f;
    double maximumTime = 0.0;
    float minimum = 99999.0f;
    double minimumTime = 0.0;
    bool empty = true;            // no point lay between the cursors
};

// Indices outside 0..count-1 are brought to the nearest point; no points give an empty result.
CursorStatistics ComputeCursorStatistics(const double* times, const float* levels, int count,
                                         int cursorA, int cursorB);

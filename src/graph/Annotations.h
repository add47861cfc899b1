#pragma once
#include "ChartState.h"

#include <QString>

#include <vector>

// The first index a user's mark can have; lower ones belong to the program.
constexpr int FirstUserMark = 5;

// One row of the erase list.
struct ErasableMark {
    int index;
    double time;
    QString contents;  // "X" for a cross, else the mark's text
};

// The marks from index 5 up to lastIndex that show something: crosses, and texts that are
// not empty.
std::vector<ErasableMark> ErasableMarks(const std::vector<GraphAnnotation>& annotations, int lastIndex);

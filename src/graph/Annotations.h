#pragma once
#include "files/ChartState.h"

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

// The chart's marks from index 5 on that show something: crosses, and texts that are not
// empty. Marks that came with a graph file or the template are listed too.
std::vector<ErasableMark> ErasableMarks(const std::vector<GraphAnnotation>& annotations);

// The index a new mark takes: past the program's counter and past every mark the chart
// already shows, so that a mark opened from a file is never replaced.
int NextMarkIndex(const std::vector<GraphAnnotation>& annotations, int lastIndex);

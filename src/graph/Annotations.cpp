#include "Annotations.h"

#include <algorithm>

std::vector<ErasableMark> ErasableMarks(const std::vector<GraphAnnotation>& annotations, int lastIndex)
{
    std::vector<ErasableMark> marks;
    const int end = std::min(lastIndex, static_cast<int>(annotations.size()) - 1);
    for (int i = FirstUserMark; i <= end; ++i) {
        const GraphAnnotation& note = annotations[static_cast<std::size_t>(i)];
        if (note.Type == 2)
            marks.push_back({i, note.X, QStringLiteral("X")});
        else if (!note.Text.isEmpty())
            marks.push_back({i, note.X, note.Text});
    }
    return marks;
}

#include "graph/Annotations.h"

#include <algorithm>

namespace {

bool ShowsSomething(const GraphAnnotation& note) { return note.Type == 2 || !note.Text.isEmpty(); }

}  // namespace

std::vector<ErasableMark> ErasableMarks(const std::vector<GraphAnnotation>& annotations)
{
    std::vector<ErasableMark> marks;
    for (int i = FirstUserMark; i < static_cast<int>(annotations.size()); ++i) {
        const GraphAnnotation& note = annotations[static_cast<std::size_t>(i)];
        if (ShowsSomething(note))
            marks.push_back({i, note.X, note.Type == 2 ? QStringLiteral("X") : note.Text});
    }
    return marks;
}

int NextMarkIndex(const std::vector<GraphAnnotation>& annotations, int lastIndex)
{
    int last = lastIndex;
    for (int i = static_cast<int>(annotations.size()) - 1; i > last; --i) {
        if (ShowsSomething(annotations[static_cast<std::size_t>(i)])) {
            last = i;
            break;
        }
    }
    return last + 1;
}

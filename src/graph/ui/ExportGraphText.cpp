#include "graph/ui/ExportGraphText.h"

#include "files/GraphText.h"
#include "files/ui/RunTextExport.h"
#include "graph/ui/PESGraph.h"

#include <vector>

bool ExportGraphText(const PESGraph& chart, const QString& fileName, QChar separator)
{
    // The export works on its own copy: window messages run while it writes, and a real-time
    // tick or a closed window must not change or free the points under it.
    const int points = chart.Points();
    const std::vector<double> times(chart.XSubset(0), chart.XSubset(0) + points);
    const std::vector<float> levels(chart.YSubset(0), chart.YSubset(0) + points);
    return RunTextExport(fileName, points,
                         [&](QIODevice& file, ExportRange range, const std::function<bool(int)>& keepGoing) {
                             return WriteGraphTextLines(file, times.data(), levels.data(), points,
                                                        range, separator, keepGoing);
                         });
}

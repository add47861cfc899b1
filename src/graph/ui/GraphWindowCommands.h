#pragma once
#include <QString>

class TfrmGraph;
struct GraphServices;

// The Save and Open commands of graph windows. Each shows its own error message, naming the
// file, on failure.

// Saving a graph: asks for a name and writes a graph file, a TAB text, a comma text or a
// survey by the name's extension. True when a file was written.
bool SaveGraph(TfrmGraph& window);
// Saving a graph's survey: asks for a .qxs name and writes it. True when it was written.
bool SaveGraphSurvey(TfrmGraph& window);
// Writes the graph's survey (exclusions, analysis settings) at path, naming the file its levels
// came from. Levels in no file yet (a real-time graph, a data set) are first written as a graph
// file of the survey's name beside it, which the survey then names. True when written.
bool WriteGraphSurvey(TfrmGraph& window, const QString& path);
// A new graph window (not yet placed anywhere) holding a graph file, with its statistics
// and cursors; none when the file cannot be read or is damaged.
TfrmGraph* OpenGraphWindow(const QString& path, const GraphServices& services);

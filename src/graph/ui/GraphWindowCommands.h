#pragma once
#include <QString>

class TfrmGraph;
struct GraphServices;

// The Save and Open commands of graph windows. Each shows its own error message, naming the
// file, on failure.

// Saving a graph: asks for a name and writes a graph file, a TAB text or a comma text by the
// name's extension. True when a file was written.
bool SaveGraph(TfrmGraph& window);
// A new graph window (not yet placed anywhere) holding a graph file, with its statistics
// and cursors; none when the file cannot be read or is damaged.
TfrmGraph* OpenGraphWindow(const QString& path, const GraphServices& services);

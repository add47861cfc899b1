#pragma once
#include <QChar>
#include <QString>

class PESGraph;
class TfrmGraph;

// Each of these shows its own error message, naming the file, and returns false on failure.

// Stores the chart into a graph file, replacing it.
bool WriteGraphFile(const PESGraph& chart, const QString& path);
// Loads a graph file into an existing chart; a damaged file leaves the chart as it was.
bool ReadGraphFile(PESGraph& chart, const QString& path);
// Stores the chart as the template every new graph window starts from.
bool SaveTemplate(const PESGraph& chart);

// Saving a graph: asks for a name and writes a graph file, a TAB text or a comma text by the
// name's extension. True when a file was written.
bool SaveGraph(TfrmGraph& window);
// A new graph window (not yet placed anywhere) holding a graph file, with its statistics
// and cursors; none when the file cannot be read or is damaged.
TfrmGraph* OpenGraphWindow(const QString& path);

// Writes the chart's points as text lines over a range the user chooses, with a progress
// window that can cancel. True when a file was written.
bool ExportGraphText(const PESGraph& chart, const QString& fileName, QChar separator);

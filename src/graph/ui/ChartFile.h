#pragma once
#include <QString>

class PESGraph;

// A chart's graph file and the template every new graph window starts from. Each of these
// shows its own error message, naming the file, and returns false on failure.

// Stores the chart into a graph file, replacing it.
bool WriteGraphFile(const PESGraph& chart, const QString& path);
// Loads a graph file into an existing chart; a damaged file leaves the chart as it was.
bool ReadGraphFile(PESGraph& chart, const QString& path);
// Stores the chart as the template every new graph window starts from.
bool SaveTemplate(const PESGraph& chart);

// The template's path: the program's writable folder + "template/graph.ghf".
QString TemplatePath();

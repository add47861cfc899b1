#pragma once
#include <QString>

#include <functional>

class QIODevice;

// Writes a CSV through writer into path, atomically: a file that cannot be finished leaves
// any earlier one whole. An empty path means standard output. False with a message naming
// the file.
bool WriteCsvOutput(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error);

#pragma once
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Writes lines 0, 1, ... made one at a time by line(), as 8-bit text in the system's code
// page and in blocks, so that a long export is not one write per line. Stops after count
// lines or at the first index line() has no line for. keepGoing is asked after each line with
// the count written so far; false stops there. Returns the lines written, or -1 when writing
// failed.
int WriteTextLines(QIODevice& file, int count, const std::function<std::optional<QString>(int)>& line,
                   const std::function<bool(int)>& keepGoing);

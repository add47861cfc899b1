#pragma once
#include <QByteArray>

#include <functional>

class QIODevice;

// Writes lines 0, 1, ... in blocks, so that a long export is not one write per line:
// appendLine(i, block) appends line i as 8-bit text in the system's code page, or returns false
// when there is no line i. Stops after count lines or at the first missing line. keepGoing is
// asked after each line with the count written so far; false stops there. Returns the lines
// written, or -1 when writing failed.
int WriteTextLines(QIODevice& file, int count, const std::function<bool(int, QByteArray&)>& appendLine,
                   const std::function<bool(int)>& keepGoing);

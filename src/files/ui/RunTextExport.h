#pragma once
#include "files/GraphText.h"

#include <QString>

#include <functional>

class QIODevice;

// Writes the chosen lines into the open file: the range, and keepGoing to ask after each
// line (false stops). Returns the lines written, or -1 when writing failed.
using TextExportWriter =
    std::function<int(QIODevice& file, ExportRange range, const std::function<bool(int)>& keepGoing)>;

// Runs a text export as every export runs: the range window over items 1..lastItem, then
// the "Saving Progress" window with Cancel while write fills the file. The file is saved
// atomically: a cancelled export is not a save and leaves the previous file as it was, and
// a file that cannot be written leaves it too, with an error naming the file. A window closed
// while the file is written closes once it is saved. True when the file was written.
bool RunTextExport(const QString& fileName, int lastItem, const TextExportWriter& write);

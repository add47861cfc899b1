#pragma once
#include <QString>

class Console;
class LinkSequence;

struct DownloadOptions {
    QString out;  // the collection file to write
    QString csv;  // the samples CSV, when asked for
};

// qx574 download: identifies the meter as the window program does, refuses while it records,
// downloads its logger memory, and writes the collection exactly as File > Save writes it
// (and the samples as CSV). Returns an ExitStatus.
int RunDownload(const DownloadOptions& options, LinkSequence& link, Console& console);

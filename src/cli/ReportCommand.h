#pragma once
#include <QString>

class Console;

struct ReportOptions {
    QString collection;  // the ".REC" file to read
    QString csv;         // one row of noise metrics per set; standard output when empty
    QString pdf;         // the report of every set, one page each, when asked for
};

// qx574 report: reads a collection as File > Open does and writes the noise metrics of every
// set as CSV, to standard output unless --csv names a file or only --pdf is asked for.
// Returns an ExitStatus.
int RunReport(const ReportOptions& options, Console& console);

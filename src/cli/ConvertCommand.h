#pragma once
#include <QString>

class Console;

struct ConvertOptions {
    QString collection;  // the ".REC" file to read; "-" for standard input
    QString csv;         // the samples CSV; standard output when empty or "-"
    QString sets;        // the set table CSV, when asked for; "-" for standard output
};

// qx574 convert: reads a collection as File > Open does and writes its samples (and its set
// table) as CSV. Returns an ExitStatus.
int RunConvert(const ConvertOptions& options, Console& console);

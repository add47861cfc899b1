#pragma once
#include <QString>

// What a file of the program is, by its name's extension (any case): the one rule that Save,
// Open, the command line and a survey's recording all follow.
enum class FileKind {
    Collection,  // .REC: a data set collection
    Graph,       // .ghf
    Survey,      // .qxs
    TabText,     // .txt: a list or graph as TAB-separated text
    CommaText,   // .csv: the same with commas, or a log of qx574 watch
    Other,
};

FileKind KindOfFileName(const QString& name);

// The extensions the program reads and writes, lower-cased: "rec", "ghf", "qxs", "txt", "csv".
bool IsKnownFileName(const QString& name);

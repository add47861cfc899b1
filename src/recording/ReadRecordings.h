#pragma once
#include "files/OpenInputFile.h"
#include "recording/Recording.h"
#include "recording/RecordingProblem.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The recordings of one file, and what was not whole in it.
struct RecordingsRead {
    std::vector<Recording> sets;  // in set order; one for a graph file or a watch log
    bool collection = false;      // a data set collection, whose sets are named "Data set N"
    QStringList warnings;         // each a sentence naming the file: read, but not whole
    std::optional<RecordingProblem> problem;  // set when nothing could be read
};

// Reads a data set collection (.REC; "-" is standard input), a graph file (.ghf: its first
// series, up to its first point without a time) or a log of qx574 watch (any other name, CSV
// or JSON lines). A collection is decoded as Load Data and File > Open decode one, with the same
// warnings. kinds says whether a pipe or a device may stand for the file.
RecordingsRead ReadRecordings(const QString& path, InputKinds kinds);

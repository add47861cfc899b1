#pragma once
#include "link/MeterSettings.h"

#include <QString>

#include <optional>
#include <vector>

class QIODevice;

// The readings of a log that qx574 watch wrote, CSV (the columns named by its header line) or
// JSON lines, each at its own time; its other records (leq, lost, resumed) are skipped.
struct WatchLog {
    std::vector<double> times;  // wall-clock days, as written
    std::vector<float> levels;  // dB; NaN where a reading holds no level
    double intervalSeconds = 0.0;  // the median time between readings; 0 with fewer than two
    Weighting weighting = Weighting::Unknown;
    Response response = Response::Unknown;
    qint64 skippedLines = 0;       // lines that could not be read
    qint64 firstSkippedLine = 0;   // counting from 1
};

// Nothing, with a message naming the file, when it cannot be read or is no watch log (its
// first line is neither the CSV header nor a JSON object with a "record"). path names the
// file in messages.
std::optional<WatchLog> ReadWatchLog(QIODevice& file, const QString& path, QString* error);
std::optional<WatchLog> ReadWatchLog(const QString& path, QString* error);

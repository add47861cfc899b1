#pragma once
#include "cli/WatchRecords.h"

#include <QString>

#include <cstdint>

class Console;
class LinkSequence;
class WatchWait;

struct WatchOptions {
    std::int64_t everyMs = 1000;  // one reading each
    std::int64_t durationMs = 0;  // 0: until stopped
    std::int64_t leqMs = 0;       // 0: no Leq records
    WatchFormat format = WatchFormat::Csv;
    QString out;                  // appended to; standard output when empty
};

// qx574 watch: identifies the meter as the connection monitor does, then polls its status
// on the clock seam's cadence and writes one record per reading, and with leqMs the Leq of
// each interval. A failed poll is retried; after five failures in a row it records why, looks
// for the meter every second, and notes the gap when it answers again. Ends after durationMs
// or when wait says stop, with a summary on the console. Returns an ExitStatus.
int RunWatch(const WatchOptions& options, LinkSequence& link, Console& console, WatchWait& wait);

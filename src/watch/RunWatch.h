#pragma once
#include "watch/RecordEncoders.h"
#include "watch/WatchEnd.h"
#include "watch/WatchMessages.h"

#include <QString>

#include <cstdint>

class LinkSequence;
class MqttFeed;
class WatchWait;

struct WatchOptions {
    std::int64_t everyMs = 1000;  // one reading each
    std::int64_t durationMs = 0;  // 0: until stopped
    std::int64_t leqMs = 0;       // 0: no Leq records
    RecordStyle style;            // the format of the records written to out
    QString out;                  // appended to; standard output when empty
    bool writeOut = true;         // false: records go to the feed only
    QString meter;                // the meter's serial number, in every record
    std::uint64_t firstSeq = 1;   // the seq of the first record
};

// qx574 watch: identifies the meter as the connection monitor does, then polls its status
// on the clock seam's cadence and writes one record per reading, and with leqMs the Leq of
// each interval. A failed poll is retried; after five failures in a row it records why, looks
// for the meter every second, and notes the gap when it answers again. Ends after durationMs
// or when wait says stop, with a summary told. With a feed, every record is also published as
// its MQTT message, and the feed runs its connection while the run waits.
WatchEnd RunWatch(const WatchOptions& options, LinkSequence& link, const WatchMessages& tell, WatchWait& wait,
                  MqttFeed* feed = nullptr);

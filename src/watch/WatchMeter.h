#pragma once
#include "watch/MqttTarget.h"
#include "watch/RunWatch.h"
#include "watch/WatchEnd.h"
#include "watch/WatchMessages.h"

#include <QString>

#include <optional>

class LinkSequence;

// Where --mqtt publishes, and the spool its records wait in.
struct MqttFeedRequest {
    MqttTarget target;
    bool haDiscovery = false;
    std::optional<QString> spool;  // the spool file; none: one per meter in the user's data folder
    qint64 spoolBytes = 0;         // the spool's bound
};

// qx574 watch as the program runs it: RunWatch on the meter with that serial number (the held
// link), sleeping between polls until Ctrl-C or SIGTERM, with the spool opened and the broker
// connection made first when mqtt asks for them.
WatchEnd WatchMeter(WatchOptions options, const std::optional<MqttFeedRequest>& mqtt, LinkSequence& link,
                    const QString& serialNumber, const WatchMessages& tell);

#pragma once
#include <QString>

#include <functional>

class Console;
class LinkSequence;

// Which meter a subcommand talks to: the real one or a simulated one, by serial number among
// several, with the traffic log in front when one was asked for.
struct MeterOptions {
    bool simulate = false;
    QString serialNumber;  // the first attached when empty
    QString usbLog;
};

// Runs a subcommand on the meter the options chose, holding it for this process: a meter asked
// for by serial number and absent, or in use by another qx574, is exit status 2 (no meter),
// named on the console, as is a link already in use. run is given the link, held from the
// command's start to its end (nothing else in the process uses it), and the meter's serial number (empty when the
// meter has none).
int WithMeter(const MeterOptions& options, Console& console,
              const std::function<int(LinkSequence&, const QString& serialNumber)>& run);

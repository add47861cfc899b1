#pragma once
#include <QString>

#include <functional>

// Where the watch run and its feed tell the user what happens (the meter lost and found, the
// broker away, the summary), one line each. The command line hands its console's; tests keep
// the lines.
using WatchMessages = std::function<void(const QString& line)>;

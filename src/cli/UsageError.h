#pragma once
#include "cli/Console.h"
#include "cli/ExitStatus.h"

#include <QString>

// Tells the problem and the usage on the console; the exit status of a wrong command line.
inline int UsageError(Console& console, const QString& problem, const QString& usage)
{
    console.Line(problem);
    console.Line(usage);
    return ExitStatus::Usage;
}

#pragma once
#include "cli/Console.h"
#include "cli/ExitStatus.h"

#include <QString>

// Tells the problem, and where the command's usage is, on the console; the exit status of a
// wrong command line. command is the command's name, or empty for the program's own usage.
inline int UsageError(Console& console, const QString& problem, const QString& command)
{
    console.Line(problem);
    console.Line(command.isEmpty() ? QStringLiteral("see qx574 --help")
                                   : QStringLiteral("see qx574 %1 --help").arg(command));
    return ExitStatus::Usage;
}

#pragma once
#include "cli/ReportCommand.h"

#include <QCommandLineOption>
#include <QList>
#include <QStringList>

#include <optional>

// The options of qx574 report from its arguments (the program's name first, the subcommand's
// left out); nothing, with what is wrong naming the option and its value, for a command line
// that is not one.
std::optional<ReportOptions> ReadReportArguments(const QStringList& arguments, QString* problem);

// The options qx574 report takes, as its parser reads them.
QList<QCommandLineOption> ReportOptionList();

// qx574 report from its command line: the options read, the report run. Returns an ExitStatus.
int RunReportArguments(const QStringList& arguments, Console& console);

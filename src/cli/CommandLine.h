#pragma once
#include <QStringList>

// The program without windows: scripted downloads and conversions, each returning an ExitStatus.

// Runs a subcommand on a QCoreApplication, without a display, and returns its exit status.
int RunCommandLine(int argc, char** argv);

// Says on standard error that word is no command, with the nearest command when one is near
// and where the usage is; the exit status of a usage error.
int RefuseNotACommand(const QString& word);

// The program's usage, printed by --help and help: every command's usage lines and what each
// does; `qx574 CMD --help` prints a command's own.
QString UsageText();

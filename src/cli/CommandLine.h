#pragma once
#include <QStringList>

// The program without windows: scripted downloads and conversions, each returning an ExitStatus.

// Whether the arguments name a subcommand or help (the first argument after the program's name).
bool IsSubcommand(const QStringList& arguments);

// Runs a subcommand on a QCoreApplication, without a display, and returns its exit status.
int RunCommandLine(int argc, char** argv);

// The program's usage, printed by --help and help: every command's usage lines and what each
// does; `qx574 CMD --help` prints a command's own.
QString UsageText();

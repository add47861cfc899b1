#pragma once
#include <QStringList>

// The program without windows: scripted downloads and conversions, each returning an ExitStatus.

// Whether the arguments name a subcommand (the first argument after the program's name).
bool IsSubcommand(const QStringList& arguments);

// Runs a subcommand on a QCoreApplication, without a display, and returns its exit status.
int RunCommandLine(int argc, char** argv);

// The usage text printed by --help and after a usage error.
QString UsageText();

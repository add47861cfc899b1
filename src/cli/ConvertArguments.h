#pragma once
#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class Console;

// The options qx574 convert takes, as its parser reads them.
QList<QCommandLineOption> ConvertOptionList();

// qx574 convert from its command line (the program's name first, the command's left out).
// Returns an ExitStatus.
int RunConvertArguments(const QStringList& arguments, Console& console);

#pragma once
#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class Console;

// The options qx574 watch takes, as its parser reads them.
QList<QCommandLineOption> WatchOptionList();

// qx574 watch from its command line (the program's name first, the command's left out): the
// options read and checked, the meter chosen and held, and the run of src/watch on it with
// what it tells on the console. Returns an ExitStatus.
int RunWatchArguments(const QStringList& arguments, Console& console);

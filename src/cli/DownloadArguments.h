#pragma once
#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class Console;

// The options qx574 download takes, as its parser reads them.
QList<QCommandLineOption> DownloadOptionList();

// qx574 download from its command line (the program's name first, the command's left out): the
// options read and checked, the meter chosen and held. Returns an ExitStatus.
int RunDownloadArguments(const QStringList& arguments, Console& console);

#pragma once
#include <QStringList>

class Console;

// qx574 watch from its command line (usage: the text a wrong command line shows): the options read and checked, the meter chosen and held,
// the spool and the broker connection made when --mqtt asks for them. Returns an ExitStatus.
int RunWatchCommand(const QStringList& arguments, Console& console, const QString& usage);

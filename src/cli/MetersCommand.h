#pragma once
#include <QStringList>

class Console;

// qx574 meters: the meters attached, one line each (serial number, model, device path,
// separated by tabs) on standard output. ExitStatus::NoMeter when there is none; usage is the
// text a wrong command line shows.
int RunMetersCommand(const QStringList& arguments, Console& console, const QString& usage);

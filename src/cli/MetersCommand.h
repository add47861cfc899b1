#pragma once
#include <QStringList>

class Console;

// qx574 meters: the meters attached, one line each (serial number, model, device path,
// separated by tabs) on standard output. ExitStatus::NoMeter when there is none.
int RunMetersCommand(const QStringList& arguments, Console& console);

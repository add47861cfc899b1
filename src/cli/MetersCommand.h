#pragma once
#include <QCommandLineOption>
#include <QList>
#include <QStringList>

class Console;

// The options qx574 meters takes, as its parser reads them.
QList<QCommandLineOption> MetersOptionList();

// qx574 meters: the meters attached, one line each (serial number, model, device path,
// separated by tabs) on standard output. ExitStatus::NoMeter when there is none.
int RunMetersCommand(const QStringList& arguments, Console& console);

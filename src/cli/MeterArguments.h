#pragma once
#include "cli/WithMeter.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

// The options that choose the meter a command talks to, the same for every such command.
struct MeterOptionSet {
    QCommandLineOption simulate{QStringLiteral("simulate")};
    QCommandLineOption serial{QStringLiteral("serial"), QString(), QStringLiteral("serial number")};
    QCommandLineOption usbLog{QStringLiteral("usb-log"), QString(), QStringLiteral("file")};

    QList<QCommandLineOption> All() const { return {simulate, serial, usbLog}; }
    MeterOptions Read(const QCommandLineParser& parser) const
    {
        return {parser.isSet(simulate), parser.value(serial), parser.value(usbLog)};
    }
};

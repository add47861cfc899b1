#pragma once
// The window program's options, shared by main(), which answers --help and --version without
// a display, and the window program, which takes the rest. Qt Core only.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

// The program's options, added to a parser.
struct ProgramOptions {
    explicit ProgramOptions(QCommandLineParser& parser)
        : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(QStringLiteral("Sound level meter companion"));
        parser.addOption(simulate);
        parser.addOption(serial);
        parser.addOption(usbLog);
        parser.addPositionalArgument(QStringLiteral("files"),
                                     QStringLiteral("Graph files (.ghf) and data set collections (.REC) to open."),
                                     QStringLiteral("[files...]"));
    }

    const QCommandLineOption help;
    const QCommandLineOption version;
    const QCommandLineOption simulate{QStringLiteral("simulate"),
                                      QStringLiteral("Talk to a simulated meter instead of the real one.")};
    const QCommandLineOption serial{QStringLiteral("serial"),
                                    QStringLiteral("Talk to the meter with serial number <serial number> among several."),
                                    QStringLiteral("serial number")};
    const QCommandLineOption usbLog{QStringLiteral("usb-log"),
                                    QStringLiteral("Write all USB traffic with the meter to <file>."),
                                    QStringLiteral("file")};
};

// The names settings and folders are kept under; main() sets the version before anything else.
inline void SetProgramNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("QX574"));
    QCoreApplication::setApplicationName(QStringLiteral("QX574"));
}

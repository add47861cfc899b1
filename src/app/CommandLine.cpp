#include "CommandLine.h"

#include "Console.h"
#include "ConvertCommand.h"
#include "DownloadCommand.h"
#include "ExitStatus.h"
#include "LinkSession.h"
#include "MeterTransport.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const QStringList Subcommands = {QStringLiteral("download"), QStringLiteral("convert")};

int UsageError(Console& console, const QString& problem)
{
    console.Line(problem);
    console.Line(UsageText());
    return ExitStatus::Usage;
}

int Download(const QStringList& arguments, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption simulate(QStringLiteral("simulate"));
    const QCommandLineOption usbLog(QStringLiteral("usb-log"), QString(), QStringLiteral("file"));
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("file"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("file"));
    parser.addOptions({simulate, usbLog, out, csv});
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("download takes no file name but --out's."));
    if (parser.value(out).isEmpty())
        return UsageError(console, QStringLiteral("download needs --out FILE.REC."));

    QString error;
    const std::unique_ptr<MeterTransport> transport =
        MeterTransport::Open(parser.isSet(simulate), parser.value(usbLog), &error);
    if (!transport) {
        console.Line(error);
        return ExitStatus::File;
    }
    Link().SetTransport(&transport->Usb());
    const int status = RunDownload({parser.value(out), parser.value(csv)}, Link(), console);
    Link().SetTransport(nullptr);
    return status;
}

int Convert(const QStringList& arguments, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("file"));
    const QCommandLineOption sets(QStringLiteral("sets"), QString(), QStringLiteral("file"));
    parser.addOptions({csv, sets});
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText());
    if (parser.positionalArguments().size() != 1)
        return UsageError(console, QStringLiteral("convert needs one collection file."));
    return RunConvert({parser.positionalArguments().front(), parser.value(csv), parser.value(sets)}, console);
}

}  // namespace

bool IsSubcommand(const QStringList& arguments)
{
    return arguments.size() > 1 && Subcommands.contains(arguments[1]);
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  qx574 [--simulate] [--usb-log FILE]            the window program\n"
        "  qx574 download [--simulate] [--usb-log FILE] --out FILE.REC [--csv FILE.csv]\n"
        "  qx574 convert FILE.REC [--csv FILE.csv] [--sets FILE.csv]\n"
        "  qx574 --help | --version\n"
        "\n"
        "download  reads the meter's logger into a data set collection, as Data Logger > Load Data\n"
        "          and File > Save do; --csv also writes every sample as CSV.\n"
        "convert   writes the samples of a collection as CSV (to standard output without --csv);\n"
        "          --sets writes one row per data set.\n"
        "\n"
        "Exit status: 0 data written, 1 usage error, 2 no meter, not a 574 or recording,\n"
        "3 transfer failed, 4 no recording in the memory or not decodable, 5 a file cannot be\n"
        "read or written.");
}

int RunCommandLine(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("QX574"));
    QCoreApplication::setApplicationName(QStringLiteral("QX574"));
    Console console;
    QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.takeAt(1);
    if (command == QStringLiteral("download"))
        return Download(arguments, console);
    return Convert(arguments, console);
}

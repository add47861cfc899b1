#include "cli/CommandLine.h"

#include "cli/Console.h"
#include "cli/ConvertCommand.h"
#include "cli/DownloadCommand.h"
#include "cli/ExitStatus.h"
#include "cli/ReportArguments.h"
#include "cli/ReportCommand.h"
#include "cli/ReportDrawing.h"
#include "cli/MetersCommand.h"
#include "cli/WatchArguments.h"
#include "cli/WithMeter.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <memory>

namespace {

const QStringList Subcommands = {QStringLiteral("download"), QStringLiteral("convert"), QStringLiteral("watch"),
                                 QStringLiteral("report"), QStringLiteral("meters")};

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
    const QCommandLineOption serial(QStringLiteral("serial"), QString(), QStringLiteral("serial number"));
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("file"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("file"));
    parser.addOptions({simulate, usbLog, serial, out, csv});
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("download takes no file name but --out's."));
    if (parser.value(out).isEmpty())
        return UsageError(console, QStringLiteral("download needs --out FILE.REC."));

    const MeterOptions meter{parser.isSet(simulate), parser.value(serial), parser.value(usbLog)};
    return WithMeter(meter, console, [&](LinkSequence& link, const QString&) {
        return RunDownload({parser.value(out), parser.value(csv)}, link, console);
    });
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

int Report(const QStringList& arguments, Console& console)
{
    QString problem;
    const std::optional<ReportOptions> options = ReadReportArguments(arguments, &problem);
    if (!options)
        return UsageError(console, problem);
    return RunReport(*options, console);
}

// Drawing a report needs the application object the window program makes; everything else
// runs on Qt Core alone.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv)
{
    if (DrawsReportPages(argc, argv) && InstalledReportDrawing().MakeApplication)
        return InstalledReportDrawing().MakeApplication(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
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
        "  qx574 [--simulate] [--serial S] [--usb-log FILE]   the window program\n"
        "  qx574 download [--simulate] [--serial S] [--usb-log FILE] --out FILE.REC [--csv FILE.csv]\n"
        "  qx574 convert FILE.REC [--csv FILE.csv] [--sets FILE.csv]\n"
        "  qx574 watch [--simulate] [--serial S] [--usb-log FILE] [--every SECONDS] [--duration SECONDS]\n"
        "              [--leq SECONDS] [--format csv|jsonl|influx] [--tag KEY=VALUE]... [--out FILE]\n"
        "              [--mqtt mqtt[s]://[USER[:PASSWORD]@]HOST[:PORT]/PREFIX] [--mqtt-cafile FILE]\n"
        "              [--mqtt-password-file FILE] [--ha-discovery] [--spool FILE] [--spool-max SIZE]\n"
        "  qx574 meters [--simulate [--serial S]...]\n"
        "  qx574 report FILE.REC [--csv FILE.csv] [--pdf FILE.pdf]\n"
        "  qx574 report SURVEY.qxs [--pdf FILE.pdf] [--json FILE.json]\n"
        "  qx574 --help | --version\n"
        "\n"
        "download  reads the meter's logger into a data set collection, as Data Logger > Load Data\n"
        "          and File > Save do; --csv also writes every sample as CSV.\n"
        "convert   writes the samples of a collection as CSV (to standard output without --csv);\n"
        "          --sets writes one row per data set.\n"
        "watch     logs what the meter displays, one record every --every seconds (1 unless told,\n"
        "          0.5 or more), to standard output or added to the end of --out, as CSV, JSON\n"
        "          lines or InfluxDB line protocol (--tag adds tags to its lines); --leq adds each\n"
        "          interval's Leq, Lmax, Lmin and sound energy (energy_pa2s). Every record has its\n"
        "          seq, one more per record of the meter. It rides out an unplugged meter and ends\n"
        "          after --duration seconds, on Ctrl-C or on SIGTERM, with a summary.\n"
        "          --mqtt publishes each record as JSON to PREFIX/SERIAL/reading, leq or event\n"
        "          (QoS 1) and a retained PREFIX/SERIAL/status (online, offline), on standard output\n"
        "          or --out only when --out is given; records the broker has not acknowledged wait\n"
        "          in the spool (--spool, by default one per meter in the user's data folder; at\n"
        "          most --spool-max, 100MB unless told, the oldest dropped first) and are sent when\n"
        "          it is back, also by the next run. --mqtt-password-file reads the password from\n"
        "          a file; --mqtt-cafile trusts the certificates of a file for mqtts://;\n"
        "          --ha-discovery announces the meter to Home Assistant.\n"
        "meters    lists the meters attached, one line each: serial number, model and device, by\n"
        "          tabs; with --simulate, a simulated meter for each --serial.\n"
        "--serial  talks to the meter with that serial number among several (a simulated meter\n"
        "          with --simulate gets that serial number); a meter in use by another qx574 is\n"
        "          refused.\n"
        "report    writes the noise metrics of every set of a collection, one CSV row each (to\n"
        "          standard output without --csv): Leq, Lmax, Lmin, L5 to L95, SEL, LEX,8h, dose\n"
        "          and Lden; --pdf writes a one-page report of each set, without a display, or a\n"
        "          survey's report of several pages.\n"
        "\n"
        "Exit status: 0 data written, 1 usage error, 2 no meter, not a 574, recording or in use\n"
        "by another qx574, 3 transfer failed, 4 no recording in the memory or not decodable, 5 a\n"
        "file cannot be read or written.");
}

int RunCommandLine(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("QX574"));
    QCoreApplication::setApplicationName(QStringLiteral("QX574"));
    Console console;
    QStringList arguments = QCoreApplication::arguments();
    const QString command = arguments.takeAt(1);
    if (command == QStringLiteral("download"))
        return Download(arguments, console);
    if (command == QStringLiteral("watch"))
        return RunWatchCommand(arguments, console, UsageText());
    if (command == QStringLiteral("meters"))
        return RunMetersCommand(arguments, console, UsageText());
    if (command == QStringLiteral("report"))
        return Report(arguments, console);
    return Convert(arguments, console);
}

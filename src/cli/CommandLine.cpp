#include "cli/CommandLine.h"

#include "cli/Console.h"
#include "cli/ConvertCommand.h"
#include "cli/DownloadCommand.h"
#include "cli/ExitStatus.h"
#include "cli/ReportArguments.h"
#include "cli/ReportCommand.h"
#include "cli/ReportDrawing.h"
#include "cli/WatchCommand.h"
#include "cli/WatchWait.h"
#include "link/LinkSession.h"
#include "link/MeterTransport.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>

namespace {

const QStringList Subcommands = {QStringLiteral("download"), QStringLiteral("convert"), QStringLiteral("watch"),
                                 QStringLiteral("report")};

// Runs a subcommand on the meter the options chose: the real one or the simulated one, with
// the traffic log in front when one was asked for.
int WithMeter(bool simulate, const QString& usbLog, Console& console,
              const std::function<int(LinkSequence&)>& run)
{
    QString error;
    const std::unique_ptr<MeterTransport> transport = MeterTransport::Open(simulate, usbLog, &error);
    if (!transport) {
        console.Line(error);
        return ExitStatus::File;
    }
    Link().SetTransport(&transport->Usb());
    // A command holds the link from its start to its end: nothing else in the process uses it.
    int status = ExitStatus::NoMeter;
    if (std::optional<LinkSequence> link = Link().TryBegin())
        status = run(*link);
    Link().SetTransport(nullptr);
    return status;
}

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

    return WithMeter(parser.isSet(simulate), parser.value(usbLog), console, [&](LinkSequence& link) {
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
    bool drawsPdf = false;
    if (argc > 1 && qstrcmp(argv[1], "report") == 0)
        for (int i = 2; i < argc; ++i)
            drawsPdf = drawsPdf || qstrcmp(argv[i], "--pdf") == 0 || qstrncmp(argv[i], "--pdf=", 6) == 0;
    if (drawsPdf && InstalledReportDrawing().MakeApplication)
        return InstalledReportDrawing().MakeApplication(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

// A number of seconds as whole milliseconds; none when it is not a positive number or
// rounds to nothing. Ten years is plenty for any of them.
std::optional<std::int64_t> Milliseconds(const QString& seconds)
{
    bool ok = false;
    const double value = seconds.toDouble(&ok);
    if (!ok || !(value > 0.0 && value <= 10.0 * 366 * 86400))
        return std::nullopt;
    const std::int64_t ms = std::llround(value * 1000.0);
    return ms > 0 ? std::optional<std::int64_t>(ms) : std::nullopt;
}

int Watch(const QStringList& arguments, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption simulate(QStringLiteral("simulate"));
    const QCommandLineOption usbLog(QStringLiteral("usb-log"), QString(), QStringLiteral("file"));
    const QCommandLineOption every(QStringLiteral("every"), QString(), QStringLiteral("seconds"), QStringLiteral("1"));
    const QCommandLineOption duration(QStringLiteral("duration"), QString(), QStringLiteral("seconds"));
    const QCommandLineOption leq(QStringLiteral("leq"), QString(), QStringLiteral("seconds"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("format"), QStringLiteral("csv"));
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("file"));
    parser.addOptions({simulate, usbLog, every, duration, leq, format, out});
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("watch takes no file name but --out's."));

    WatchOptions options;
    options.out = parser.value(out);
    const std::optional<std::int64_t> everyMs = Milliseconds(parser.value(every));
    // The connection monitor's own cadence is the fastest the meter is asked.
    if (!everyMs || *everyMs < 500)
        return UsageError(console, QStringLiteral("--every needs a number of seconds, 0.5 or more."));
    options.everyMs = *everyMs;
    if (parser.isSet(duration)) {
        const std::optional<std::int64_t> ms = Milliseconds(parser.value(duration));
        if (!ms)
            return UsageError(console, QStringLiteral("--duration needs a positive number of seconds."));
        options.durationMs = *ms;
    }
    if (parser.isSet(leq)) {
        const std::optional<std::int64_t> ms = Milliseconds(parser.value(leq));
        if (!ms || *ms < options.everyMs)
            return UsageError(console, QStringLiteral("--leq needs a number of seconds, no fewer than --every's."));
        options.leqMs = *ms;
    }
    if (parser.value(format) == QStringLiteral("jsonl"))
        options.format = WatchFormat::Jsonl;
    else if (parser.value(format) != QStringLiteral("csv"))
        return UsageError(console, QStringLiteral("--format is csv or jsonl."));

    return WithMeter(parser.isSet(simulate), parser.value(usbLog), console, [&](LinkSequence& link) {
        SleepingWait wait;
        return RunWatch(options, link, console, wait);
    });
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
        "  qx574 watch [--simulate] [--usb-log FILE] [--every SECONDS] [--duration SECONDS] [--leq SECONDS]\n"
        "              [--format csv|jsonl] [--out FILE]\n"
        "  qx574 report SOURCE [--csv FILE.csv] [--json FILE.json] [--pdf FILE.pdf] [--exclude FROM/TO/REASON]...\n"
        "               [--periods 1m|5m|10m|15m|30m|60m|1d] [--den [--day HH-HH] [--evening HH-HH] [--night HH-HH]]\n"
        "               [--events --above DB --for SECONDS [--bridge SECONDS]] [--histogram DB] [--exposure]\n"
        "  qx574 --help | --version\n"
        "\n"
        "download  reads the meter's logger into a data set collection, as Data Logger > Load Data\n"
        "          and File > Save do; --csv also writes every sample as CSV.\n"
        "convert   writes the samples of a collection as CSV (to standard output without --csv);\n"
        "          --sets writes one row per data set.\n"
        "watch     logs what the meter displays, one record every --every seconds (1 unless told,\n"
        "          0.5 or more), to standard output or added to the end of --out, as CSV or JSON\n"
        "          lines; --leq adds each interval's Leq, Lmax and Lmin. It rides out an unplugged\n"
        "          meter and ends after --duration seconds or on Ctrl-C, with a summary.\n"
        "report    reads a collection (.REC), a graph (.ghf), a survey (.qxs, with its exclusions) or\n"
        "          a log of watch (CSV or JSON lines) and writes, as CSV, the noise metrics of each set,\n"
        "          one row each: Leq, Lmax, Lmin, L5 to L95, SEL, LEX,8h, dose and Lden. Instead:\n"
        "          --periods  clock-aligned periods: set,start,end,coverage_pct,valid_samples,leq_db,\n"
        "                     lmax_db,lmin_db,l10_db,l50_db,l90_db,sel_db\n"
        "          --den      day, evening, night per date (07-19, 19-23, 23-07 unless told):\n"
        "                     set,date,lday_db,levening_db,lnight_db,lden_db,ldn_db,night_l10th_db,\n"
        "                     day_coverage_pct,evening_coverage_pct,night_coverage_pct\n"
        "          --events   times at or above --above dB for --for seconds or more, dips shorter\n"
        "                     than --bridge seconds bridged: set,event,start,end,duration_s,leq_db,\n"
        "                     lmax_db,sel_db\n"
        "          --histogram  classes of 0.1-5.0 dB: set,class_low_db,class_high_db,time_pct,\n"
        "                     cumulative_pct\n"
        "          --exposure set,lex8h_db,dose_85_3_pct,osha_dose_pct,osha_twa_db,hc_dose_pct,\n"
        "                     eu_verdict (A-weighted levels only; the verdict says why not)\n"
        "          Several tables go to standard output one after another, a blank line between,\n"
        "          or each to FILE-TABLE.csv beside --csv's FILE.csv. --exclude leaves out a span\n"
        "          (times yyyy-MM-dd HH:mm:ss), as well as a survey's own. --json writes every table\n"
        "          and the metrics as one JSON document. --pdf writes a one-page report of each set\n"
        "          of a collection, without a display. With only --pdf or --json, standard output\n"
        "          stays empty.\n"
        "\n"
        "FILE - is standard output for every output option, and standard input for the\n"
        "collection convert and report read (a named pipe or a device is read as well). A pipe,\n"
        "terminal or device given as an output is written to, never replaced. A command writes\n"
        "all of its files or none: after a failure no file of it is left and none replaced.\n"
        "\n"
        "Exit status: 0 data written, 1 usage error, 2 no meter, not a 574 or recording,\n"
        "3 transfer failed, 4 no recording or no samples in the memory or file, or not\n"
        "decodable, 5 a file cannot be read or written.");
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
        return Watch(arguments, console);
    if (command == QStringLiteral("report"))
        return Report(arguments, console);
    return Convert(arguments, console);
}

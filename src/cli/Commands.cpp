#include "cli/Commands.h"

#include "cli/ConvertArguments.h"
#include "cli/DownloadArguments.h"
#include "cli/MetersCommand.h"
#include "cli/ReportArguments.h"
#include "cli/WatchArguments.h"

#include <algorithm>

namespace {

const Command Table[] = {
    {"download",
     "qx574 download [--simulate] [--serial S] [--usb-log FILE] --out FILE.REC [--csv FILE.csv]",
     "reads the meter's logger into a collection, as Data Logger > Load Data and File > Save do.",
     "  --out FILE.REC      the collection to write (- for standard output)\n"
     "  --csv FILE.csv      also every sample as CSV: set, time, level, interval, weighting, response, range",
     true, DownloadOptionList, RunDownloadArguments},

    {"convert",
     "qx574 convert FILE.REC [--csv FILE.csv] [--sets FILE.csv]",
     "writes the samples of a collection as CSV, one row each.",
     "  FILE.REC            the collection to read (- for standard input)\n"
     "  --csv FILE.csv      the samples to a file instead of standard output\n"
     "  --sets FILE.csv     also one row per data set",
     false, ConvertOptionList, RunConvertArguments},

    {"report",
     "qx574 report SOURCE [--csv FILE.csv] [--pdf FILE.pdf] [--json FILE.json] [--exclude \"FROM/TO/REASON\"]...\n"
     "             [--periods 1m|5m|10m|15m|30m|60m|1d] [--den [--day HH-HH] [--evening HH-HH] [--night HH-HH]]\n"
     "             [--events --above DB --for SECONDS [--bridge SECONDS]] [--histogram DB] [--exposure]",
     "writes the noise metrics of each set of a recording, its survey tables or its report as PDF.",
     "  SOURCE              a collection (.REC, - for standard input), a graph (.ghf), a survey (.qxs) or a\n"
     "                      log of qx574 watch (any other name, CSV or JSON lines)\n"
     "  --csv FILE.csv      the rows to a file instead of standard output; several tables each to a file\n"
     "                      of its own: FILE-periods.csv, FILE-den.csv, FILE-events.csv, FILE-histogram.csv,\n"
     "                      FILE-exposure.csv\n"
     "  --pdf FILE.pdf      the report of every set of a collection, one page each, or a survey's report\n"
     "                      of several pages, without a display\n"
     "  --json FILE.json    every table asked for, the metrics, the exclusions and the settings as one\n"
     "                      JSON document\n"
     "  --exclude \"FROM/TO/REASON\"\n"
     "                      leaves out the span from FROM to TO (yyyy-MM-dd HH:mm:ss) for the reason given,\n"
     "                      beside a survey's own exclusions; may be repeated\n"
     "These write their tables instead of the metrics, over the samples outside the exclusions:\n"
     "  --periods LENGTH    periods of 1m, 5m, 10m, 15m, 30m, 60m or 1d, aligned to midnight\n"
     "  --den               day, evening and night per date, Lden and Ldn\n"
     "  --day HH-HH         with --den, the day's hours (07-19 unless told; 07:30-19:00 works too)\n"
     "  --evening HH-HH     with --den, the evening's hours (19-23 unless told)\n"
     "  --night HH-HH       with --den, the night's hours (23-07 unless told)\n"
     "  --events            the times at or above --above DB lasting --for SECONDS or more\n"
     "  --above DB          with --events, the level an event reaches\n"
     "  --for SECONDS       with --events, how long an event lasts at least\n"
     "  --bridge SECONDS    with --events, quieter dips shorter than this are bridged (0 unless told)\n"
     "  --histogram DB      the distribution of levels, in classes of 0.1 to 5.0 dB in steps of 0.1\n"
     "  --exposure          the occupational exposure of A-weighted levels",
     false, ReportOptionList, RunReportArguments},

    {"watch",
     "qx574 watch [--simulate] [--serial S] [--usb-log FILE] [--every SECONDS] [--duration SECONDS]\n"
     "            [--leq SECONDS] [--format csv|jsonl|influx] [--tag KEY=VALUE]... [--out FILE]\n"
     "            [--mqtt mqtt[s]://[USER[:PASSWORD]@]HOST[:PORT]/PREFIX] [--mqtt-cafile FILE]\n"
     "            [--mqtt-password-file FILE] [--ha-discovery] [--spool FILE] [--spool-max SIZE]",
     "logs what the meter displays to standard output, a file or an MQTT broker, until stopped.",
     "  --every SECONDS     one record each (1 unless told, 0.5 or more)\n"
     "  --duration SECONDS  ends the run after that long, with a summary; Ctrl-C or SIGTERM ends it sooner\n"
     "  --leq SECONDS       adds each interval's Leq, Lmax, Lmin and sound energy (energy_pa2s)\n"
     "  --format FORMAT     csv (its header once per file), jsonl (a JSON object a line) or influx\n"
     "                      (InfluxDB line protocol)\n"
     "  --tag KEY=VALUE     adds a tag to every line of the line protocol; may be repeated\n"
     "  --out FILE          adds the records to the end of FILE instead of standard output\n"
     "  --mqtt URL          publishes each record as JSON to PREFIX/SERIAL/reading, leq or event (QoS 1)\n"
     "                      and a retained PREFIX/SERIAL/status (online, offline); records go to standard\n"
     "                      output or --out only when --out is given\n"
     "  --mqtt-cafile FILE  trusts the certificates of FILE for mqtts://\n"
     "  --mqtt-password-file FILE\n"
     "                      reads the broker's password from the first line of FILE\n"
     "  --ha-discovery      announces the meter to Home Assistant\n"
     "  --spool FILE        where the records the broker has not acknowledged wait (by default one per\n"
     "                      meter in the user's data folder); they are sent when it is back, also by the\n"
     "                      next run\n"
     "  --spool-max SIZE    the spool's largest size, 100MB unless told, 64kB or more; the oldest records\n"
     "                      are dropped first\n"
     "Every record has its seq, one more per record of the meter. The run rides out an unplugged meter.",
     true, WatchOptionList, RunWatchArguments},

    {"meters",
     "qx574 meters [--simulate [--serial S]...]",
     "lists the meters attached, one line each: serial number, model and device, by tabs.",
     "  --simulate          lists simulated meters instead, one for each --serial\n"
     "  --serial S          the serial number of a simulated meter; may be repeated",
     false, MetersOptionList, RunMetersCommand},
};

const char* const MeterOptionsText =
    "  --simulate          a meter simulated inside the program instead of the USB device\n"
    "  --serial S          the meter with that serial number among several (qx574 meters lists them); a\n"
    "                      simulated meter with --simulate gets that serial number. A meter in use by\n"
    "                      another qx574 is refused.\n"
    "  --usb-log FILE      adds every operation on the meter to FILE, one line each";

}  // namespace

std::span<const Command> Commands() { return Table; }

const Command* FindCommand(const QString& name)
{
    const auto found = std::find_if(std::begin(Table), std::end(Table),
                                    [&](const Command& command) { return name == QLatin1String(command.name); });
    return found == std::end(Table) ? nullptr : found;
}

QString CommandUsageLines(const Command& command)
{
    QString lines;
    for (const QString& line : QString::fromUtf8(command.usage).split(u'\n'))
        lines += QStringLiteral("  ") + line + u'\n';
    return lines;
}

QString CommandUsage(const Command& command)
{
    QString text = QStringLiteral("Usage:\n") + CommandUsageLines(command) + u'\n'
        + QStringLiteral("%1 %2\n\n").arg(QLatin1String(command.name), QString::fromUtf8(command.summary))
        + QString::fromUtf8(command.options) + u'\n';
    if (command.onMeter)
        text += QString::fromUtf8(MeterOptionsText) + u'\n';
    return text + u'\n' + ExitStatusText();
}

QString ExitStatusText()
{
    return QStringLiteral(
        "Exit status: 0 data written, 1 usage error, 2 no meter, not a 574, recording or in use\n"
        "by another qx574, 3 transfer failed, 4 no recording in the memory or not decodable, 5 a\n"
        "file cannot be read or written.");
}

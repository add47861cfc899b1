#include "cli/DownloadArguments.h"

#include "cli/DownloadCommand.h"
#include "cli/MeterArguments.h"
#include "cli/UsageError.h"
#include "cli/WithMeter.h"

#include <QCommandLineParser>

namespace {

struct DownloadOptionSet {
    MeterOptionSet meter;
    QCommandLineOption out{QStringLiteral("out"), QString(), QStringLiteral("file")};
    QCommandLineOption csv{QStringLiteral("csv"), QString(), QStringLiteral("file")};

    QList<QCommandLineOption> All() const
    {
        QList<QCommandLineOption> all = meter.All();
        all << out << csv;
        return all;
    }
};

}  // namespace

QList<QCommandLineOption> DownloadOptionList() { return DownloadOptionSet().All(); }

int RunDownloadArguments(const QStringList& arguments, Console& console)
{
    const DownloadOptionSet options;
    const QString command = QStringLiteral("download");
    QCommandLineParser parser;
    parser.addOptions(options.All());
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText(), command);
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("download takes no file name but --out's."), command);
    if (parser.value(options.out).isEmpty())
        return UsageError(console, QStringLiteral("download needs --out FILE.REC."), command);

    return WithMeter(options.meter.Read(parser), console, [&](LinkSequence& link, const QString&) {
        return RunDownload({parser.value(options.out), parser.value(options.csv)}, link, console);
    });
}

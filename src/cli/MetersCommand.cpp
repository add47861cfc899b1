#include "cli/MetersCommand.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/UsageError.h"
#include "link/MeterTransport.h"

#include <QCommandLineParser>

#include <cstdio>

int RunMetersCommand(const QStringList& arguments, Console& console, const QString& usage)
{
    QCommandLineParser parser;
    const QCommandLineOption simulate(QStringLiteral("simulate"));
    const QCommandLineOption serial(QStringLiteral("serial"), QString(), QStringLiteral("serial number"));
    parser.addOptions({simulate, serial});
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText(), usage);
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("meters takes no file name."), usage);
    if (parser.isSet(serial) && !parser.isSet(simulate))
        return UsageError(console, QStringLiteral("meters lists the attached meters; --serial makes simulated ones, "
                                                  "with --simulate."),
                          usage);
    const std::vector<AttachedMeter> meters = MeterTransport::List(parser.isSet(simulate), parser.values(serial));
    if (meters.empty()) {
        console.Line(QStringLiteral("No meter is attached."));
        return ExitStatus::NoMeter;
    }
    for (const AttachedMeter& meter : meters) {
        const QByteArray line = (meter.serialNumber + u'\t' + meter.model + u'\t' + meter.path + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    }
    std::fflush(stdout);
    return ExitStatus::Ok;
}

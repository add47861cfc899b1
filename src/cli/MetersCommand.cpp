#include "cli/MetersCommand.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/MeterArguments.h"
#include "cli/UsageError.h"
#include "link/MeterTransport.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

// A simulated meter for each --serial; the traffic log is no option here, as nothing is exchanged.
struct MetersOptionSet {
    MeterOptionSet meter;

    QList<QCommandLineOption> All() const { return {meter.simulate, meter.serial}; }
};

}  // namespace

QList<QCommandLineOption> MetersOptionList() { return MetersOptionSet().All(); }

int RunMetersCommand(const QStringList& arguments, Console& console)
{
    const MetersOptionSet options;
    const QCommandLineOption& simulate = options.meter.simulate;
    const QCommandLineOption& serial = options.meter.serial;
    const QString command = QStringLiteral("meters");
    QCommandLineParser parser;
    parser.addOptions(options.All());
    if (!parser.parse(arguments))
        return UsageError(console, parser.errorText(), command);
    if (!parser.positionalArguments().isEmpty())
        return UsageError(console, QStringLiteral("meters takes no file name."), command);
    if (parser.isSet(serial) && !parser.isSet(simulate))
        return UsageError(console, QStringLiteral("meters lists the attached meters; --serial makes simulated ones, "
                                                  "with --simulate."),
                          command);
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

#include "cli/WithMeter.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/IdentifyMeter.h"
#include "link/LinkSession.h"
#include "link/MeterLock.h"
#include "link/MeterTransport.h"

#include <algorithm>
#include <memory>
#include <optional>

int WithMeter(const MeterOptions& options, Console& console,
              const std::function<int(LinkSequence&, const QString& serialNumber)>& run)
{
    QString error;
    const std::unique_ptr<MeterTransport> transport =
        MeterTransport::Open(options.simulate, options.serialNumber, options.usbLog, &error);
    if (!transport) {
        console.Line(error);
        return ExitStatus::File;
    }
    if (!options.simulate && !options.serialNumber.isEmpty()) {
        const std::vector<AttachedMeter> attached = MeterTransport::List(false, {});
        if (std::none_of(attached.begin(), attached.end(),
                         [&](const AttachedMeter& m) { return m.serialNumber == options.serialNumber; })) {
            console.Line(QString::fromLatin1(NoConnectionText)
                         + QStringLiteral(" (no meter with the serial number %1 is attached)").arg(options.serialNumber));
            return ExitStatus::NoMeter;
        }
    }
    // A long run keeps to the meter it started with, even when another is plugged in later.
    transport->KeepToFirstMeter();
    std::unique_ptr<MeterLock> lock;
    if (!transport->SerialNumber().isEmpty()) {
        lock = MeterLock::Take(transport->SerialNumber(), &error);
        if (!lock) {
            console.Line(error);
            return ExitStatus::NoMeter;
        }
    }
    Link().SetTransport(&transport->Usb());
    int status = ExitStatus::NoMeter;
    if (std::optional<LinkSequence> link = Link().TryBegin())
        status = run(*link, transport->SerialNumber());
    Link().SetTransport(nullptr);
    return status;
}

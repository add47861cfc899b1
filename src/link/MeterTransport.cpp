#include "link/MeterTransport.h"

#include "link/HidapiTransport.h"
#include "link/LinkSession.h"
#include "link/SimulatedMeter.h"

std::unique_ptr<MeterTransport> MeterTransport::Open(bool simulate, const QString& serialNumber,
                                                     const QString& usbLog, QString* error)
{
    auto transport = std::unique_ptr<MeterTransport>(new MeterTransport);
    if (simulate) {
        auto simulated = std::make_unique<SimulatedMeter>();
        if (!serialNumber.isEmpty())
            simulated->SetSerialNumber(serialNumber.toStdString());
        transport->serialNumber = QString::fromStdString(simulated->SerialNumber());
        transport->meter = std::move(simulated);
    } else {
        transport->serialNumber = serialNumber;
        auto real = std::make_unique<HidapiTransport>(transport->hid, serialNumber.toStdWString());
        transport->real = real.get();
        transport->meter = std::move(real);
    }
    if (!usbLog.isEmpty()) {
        transport->log = std::make_unique<UsbTrafficLog>(*transport->meter, usbLog);
        if (!transport->log->IsOpen()) {
            if (error)
                *error = QStringLiteral("Cannot write the USB traffic log %1: %2")
                             .arg(usbLog, transport->log->ErrorText());
            return nullptr;
        }
    }
    return transport;
}

bool MeterTransport::KeepToFirstMeter()
{
    if (!real || !serialNumber.isEmpty())
        return true;
    const std::vector<HidApi::Device> attached = hid.Enumerate(LinkSession::VendorId, LinkSession::ProductId);
    // A meter without a serial number cannot be told from another; it is opened as the first.
    if (attached.empty() || attached.front().serialNumber.empty())
        return !attached.empty();
    serialNumber = QString::fromStdWString(attached.front().serialNumber);
    real->SetSerialNumber(attached.front().serialNumber);
    return true;
}

std::vector<AttachedMeter> MeterTransport::List(bool simulate, const QStringList& simulatedSerialNumbers)
{
    std::vector<AttachedMeter> meters;
    if (simulate) {
        const QStringList serials = simulatedSerialNumbers.isEmpty()
            ? QStringList{QString::fromStdString(SimulatedMeter().SerialNumber())}
            : simulatedSerialNumbers;
        for (const QString& serial : serials)
            meters.push_back({serial, QStringLiteral("574 (simulated)"), QStringLiteral("simulated")});
        return meters;
    }
    SystemHidApi hid;
    for (const HidApi::Device& device : hid.Enumerate(LinkSession::VendorId, LinkSession::ProductId))
        meters.push_back({QString::fromStdWString(device.serialNumber), QString::fromStdWString(device.product),
                          QString::fromStdString(device.path)});
    return meters;
}

#include "link/MeterTransport.h"

#include "link/HidapiTransport.h"
#include "link/SimulatedMeter.h"

std::unique_ptr<MeterTransport> MeterTransport::Open(bool simulate, const QString& usbLog, QString* error)
{
    auto transport = std::unique_ptr<MeterTransport>(new MeterTransport);
    if (simulate)
        transport->meter = std::make_unique<SimulatedMeter>();
    else
        transport->meter = std::make_unique<HidapiTransport>(transport->hid);
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

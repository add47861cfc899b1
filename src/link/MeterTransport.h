#pragma once
#include "link/HtUsb.h"
#include "link/SystemHidApi.h"
#include "link/UsbTrafficLog.h"

#include <QString>

#include <memory>

// The transport of one run of the program: the real meter over hidapi or the simulated meter,
// with the traffic log in front when one was asked for. The one place where it is chosen.
class MeterTransport {
public:
    // Nothing, with the reason in *error, when the traffic log cannot be written.
    static std::unique_ptr<MeterTransport> Open(bool simulate, const QString& usbLog, QString* error);

    HtUsb& Usb() { return log ? static_cast<HtUsb&>(*log) : *meter; }

private:
    SystemHidApi hid;
    std::unique_ptr<HtUsb> meter;
    std::unique_ptr<UsbTrafficLog> log;
};

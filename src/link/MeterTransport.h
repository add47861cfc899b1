#pragma once
#include "link/HtUsb.h"
#include "link/SystemHidApi.h"
#include "link/UsbTrafficLog.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A meter attached to the computer, as `qx574 meters` lists it.
struct AttachedMeter {
    QString serialNumber;
    QString model;
    QString path;  // the device node; "simulated" for a simulated meter
};

// The transport of one run of the program: the real meter over hidapi or the simulated meter,
// with the traffic log in front when one was asked for. The one place where it is chosen.
class MeterTransport {
public:
    // serialNumber chooses among several meters; without it the first attached is opened (and
    // a simulated meter keeps its own). Nothing, with the reason in *error, when the traffic
    // log cannot be written.
    static std::unique_ptr<MeterTransport> Open(bool simulate, const QString& serialNumber, const QString& usbLog,
                                                QString* error);

    HtUsb& Usb() { return log ? static_cast<HtUsb&>(*log) : *meter; }

    // The serial number of the meter this transport opens; empty while it opens whichever real
    // meter is first.
    const QString& SerialNumber() const { return serialNumber; }
    // Keeps a transport that opens whichever real meter is first to the one attached now, so
    // that a long run does not change to another meter plugged in later. False when none is.
    bool KeepToFirstMeter();

    // The meters attached: the real ones, or with simulate one simulated meter for each serial
    // number (the simulated meter's own when none is given).
    static std::vector<AttachedMeter> List(bool simulate, const QStringList& simulatedSerialNumbers);

private:
    SystemHidApi hid;
    std::unique_ptr<HtUsb> meter;
    class HidapiTransport* real = nullptr;  // meter, when it is the real one
    std::unique_ptr<UsbTrafficLog> log;
    QString serialNumber;
};

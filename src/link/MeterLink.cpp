#include "MeterLink.h"

#include "AppState.h"
#include "Clock.h"
#include "CommandTable.h"
#include "ExchangeSteps.h"
#include "Formats.h"

#include <QTimer>

bool ExchangeCommand(std::uint8_t command)
{
    HtUsb& usb = CurrentTransport();
    bool ok = OpenMeter(usb, ExchangeTimeoutMs, BoolCodes) == 0;
    if (ok) {
        FrameCommand(App.Command, command);
        WriteFrame(usb, App.Command, BoolCodes);  // a failed write shows as a failed read
        ok = ReadFrame(usb, App.Reply, BoolCodes) == 0;
    }
    usb.CloseDevice();
    return ok;
}

bool SendCommand(std::uint8_t command)
{
    HtUsb& usb = CurrentTransport();
    // After a failed time-out setting the device stays open until the next sequence closes it.
    if (OpenMeter(usb, KeyTimeoutMs, BoolCodes) != 0)
        return false;
    FrameCommand(App.Command, command);
    WriteFrame(usb, App.Command, BoolCodes);
    usb.CloseDevice();
    return true;
}

bool PollStatus()
{
    HtUsb& usb = CurrentTransport();
    bool ok = OpenMeter(usb, ExchangeTimeoutMs, BoolCodes) == 0;
    if (ok) {
        ++App.CommandSeq;
        FrameCommand(App.Command, Cmd::Status);
        App.Command[SequenceByte] = App.CommandSeq;
        WriteFrame(usb, App.Command, BoolCodes);
        App.Reply.fill(0);
        ok = ReadFrame(usb, App.Reply, BoolCodes) == 0;
        // A stale or missing echo means the meter is out of step: resynchronise it.
        if (App.Reply[SequenceEchoByte] != App.CommandSeq) {
            App.Command[1] = Cmd::Resync;
            WriteFrame(usb, App.Command, BoolCodes);
        }
    }
    usb.CloseDevice();
    return ok;
}

void StopPolling()
{
    Clock& clock = CurrentClock();
    const double start = clock.Now();
    while (App.PollBusy && clock.Now() - start < 2.5 * OneSecond) {
    }
    if (App.MainTimer)
        App.MainTimer->stop();
}

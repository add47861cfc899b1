#include "link/MeterLink.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"

bool ExchangeCommand(LinkSession& link, std::uint8_t command)
{
    HtUsb& usb = link.Usb();
    bool ok = OpenMeter(usb, ExchangeTimeoutMs, BoolCodes) == 0;
    if (ok) {
        FrameCommand(link.Command, command);
        WriteFrame(usb, link.Command, BoolCodes);  // a failed write shows as a failed read
        ok = ReadFrame(usb, link.Reply, BoolCodes) == 0;
    }
    usb.CloseDevice();
    return ok;
}

bool SendCommand(LinkSession& link, std::uint8_t command)
{
    HtUsb& usb = link.Usb();
    // After a failed time-out setting the device stays open until the next sequence closes it.
    if (OpenMeter(usb, KeyTimeoutMs, BoolCodes) != 0)
        return false;
    FrameCommand(link.Command, command);
    WriteFrame(usb, link.Command, BoolCodes);
    usb.CloseDevice();
    return true;
}

bool PollStatus(LinkSession& link)
{
    HtUsb& usb = link.Usb();
    bool ok = OpenMeter(usb, ExchangeTimeoutMs, BoolCodes) == 0;
    if (ok) {
        ++link.CommandSeq;
        FrameCommand(link.Command, Cmd::Status);
        link.Command[SequenceByte] = link.CommandSeq;
        WriteFrame(usb, link.Command, BoolCodes);
        link.Reply.fill(0);
        ok = ReadFrame(usb, link.Reply, BoolCodes) == 0;
        // A stale or missing echo means the meter is out of step: resynchronise it.
        if (link.Reply[SequenceEchoByte] != link.CommandSeq) {
            link.Command[1] = Cmd::Resync;
            WriteFrame(usb, link.Command, BoolCodes);
        }
    }
    usb.CloseDevice();
    return ok;
}

void Resynchronise(LinkSession& link)
{
    HtUsb& usb = link.Usb();
    usb.PrepareRead();
    FrameCommand(link.Command, Cmd::Resync);
    WriteFrame(usb, link.Command, BoolCodes);
}

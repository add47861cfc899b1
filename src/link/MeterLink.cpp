#include "link/MeterLink.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"

bool ExchangeCommand(LinkSequence& link, std::uint8_t command)
{
    HtUsb& usb = link.Usb();
    bool ok = OpenMeter(usb, ExchangeTimeoutMs, BoolCodes) == 0;
    if (ok) {
        FrameCommand(link.Command(), command);
        WriteFrame(usb, link.Command(), BoolCodes);  // a failed write shows as a failed read
        ok = ReadFrame(usb, link.Reply(), BoolCodes) == 0;
    }
    usb.CloseDevice();
    return ok;
}

bool SendCommand(LinkSequence& link, std::uint8_t command)
{
    HtUsb& usb = link.Usb();
    // After a failed time-out setting the device stays open until the next sequence closes it.
    if (OpenMeter(usb, KeyTimeoutMs, BoolCodes) != 0)
        return false;
    FrameCommand(link.Command(), command);
    WriteFrame(usb, link.Command(), BoolCodes);
    usb.CloseDevice();
    return true;
}

bool PollStatus(LinkSequence& link)
{
    HtUsb& usb = link.Usb();
    bool ok = OpenMeter(usb, ExchangeTimeoutMs, BoolCodes) == 0;
    if (ok) {
        const std::uint8_t sequence = link.NextCommandSeq();
        CommandFrame& command = link.Command();
        FrameCommand(command, Cmd::Status);
        command[SequenceByte] = sequence;
        WriteFrame(usb, command, BoolCodes);
        link.Reply().fill(0);
        ok = ReadFrame(usb, link.Reply(), BoolCodes) == 0;
        // A stale or missing echo means the meter is out of step: resynchronise it.
        if (link.Reply()[SequenceEchoByte] != sequence) {
            command[1] = Cmd::Resync;
            WriteFrame(usb, command, BoolCodes);
        }
    }
    usb.CloseDevice();
    return ok;
}

void Resynchronise(LinkSequence& link)
{
    HtUsb& usb = link.Usb();
    usb.PrepareRead();
    FrameCommand(link.Command(), Cmd::Resync);
    WriteFrame(usb, link.Command(), BoolCodes);
}

void OpenMeterForPolls(LinkSequence& link, std::uint32_t timeoutMs)
{
    HtUsb& usb = link.Usb();
    usb.CloseDevice();
    usb.OpenDevice(LinkSession::VendorId, LinkSession::ProductId);
    usb.SetTimeouts(timeoutMs, timeoutMs);
}

bool PollOpenMeter(LinkSequence& link)
{
    HtUsb& usb = link.Usb();
    FrameCommand(link.Command(), Cmd::Status);
    WriteFrame(usb, link.Command(), BoolCodes);  // a failed write shows as a failed read
    return ReadFrame(usb, link.Reply(), BoolCodes) == 0;
}

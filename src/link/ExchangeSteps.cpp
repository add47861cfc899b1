#include "link/ExchangeSteps.h"

#include "link/CommandTable.h"
#include "link/LinkSession.h"

#include <algorithm>

int OpenMeter(HtUsb& usb, std::uint32_t timeoutMs, const SequenceCodes& codes)
{
    usb.CloseDevice();
    if (usb.OpenDevice(LinkSession::VendorId, LinkSession::ProductId) != 0)
        return codes.open;
    if (usb.SetTimeouts(timeoutMs, timeoutMs) != 0)
        return codes.timeouts;
    return 0;
}

void FrameCommand(CommandFrame& frame, std::uint8_t command)
{
    frame[0] = FrameStart;
    frame[1] = command;
    frame[6] = FrameEnd;
}

int WriteFrame(HtUsb& usb, const CommandFrame& frame, const SequenceCodes& codes)
{
    return usb.WriteCommand(static_cast<std::int32_t>(frame.size()), frame.data()) == 0
               ? 0
               : codes.write;
}

int ReadFrame(HtUsb& usb, ReplyFrame& reply, const SequenceCodes& codes)
{
    usb.PrepareRead();
    return usb.ReadReply(static_cast<std::int32_t>(reply.size()), reply.data()) == 0 ? 0
                                                                                     : codes.read;
}

int CheckEcho(const ReplyFrame& reply, const CommandFrame& frame, int count,
              const SequenceCodes& codes)
{
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, 7));
    return std::equal(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n), reply.begin())
               ? 0
               : codes.reply;
}

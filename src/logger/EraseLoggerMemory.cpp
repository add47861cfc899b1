#include "logger/EraseLoggerMemory.h"

#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/LinkSession.h"

int EraseLoggerMemory(LinkSequence& link)
{
    HtUsb& usb = link.Usb();
    ReplyFrame& reply = link.Reply();
    if (const int code = OpenMeter(usb, ExchangeTimeoutMs, EraseCodes); code != 0)
        return code;
    if (const int code = WriteFrame(usb, EraseFrame, EraseCodes); code != 0)
        return code;
    if (const int code = ReadFrame(usb, reply, EraseCodes); code != 0)
        return code;
    return CheckEcho(reply, EraseFrame, 7, EraseCodes);
}

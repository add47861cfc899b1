#include "link/LinkSession.h"

#include "shell/Clock.h"
#include "shell/Formats.h"

namespace {

// Stands in until a transport is chosen: no meter is ever attached.
class NoMeter final : public HtUsb {
public:
    std::int32_t CloseDevice() override { return 0; }
    std::int32_t OpenDevice(std::uint16_t, std::uint16_t) override { return 1; }
    std::int32_t SetTimeouts(std::uint32_t, std::uint32_t) override { return 1; }
    std::int32_t WriteCommand(std::int32_t, const std::uint8_t*) override { return 1; }
    std::int32_t PrepareRead() override { return 0; }
    std::int32_t ReadReply(std::int32_t, std::uint8_t*) override { return 1; }
    std::int32_t WriteData(std::int32_t, const std::uint8_t*) override { return 1; }
    std::int32_t ReadSerialNumber(std::int32_t, char*, std::int32_t) override { return 1; }
};

NoMeter noMeter;

}  // namespace

LinkSession::LinkSession() : usb(&noMeter) {}

void LinkSession::SetTransport(HtUsb* transport) { usb = transport ? transport : &noMeter; }

void LinkSession::Reset()
{
    Command = {0x02, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00};
    Reply = {};
    CommandSeq = 0;
    PollBusy = false;
}

LinkSession& Link()
{
    static LinkSession session;
    return session;
}

HtUsb& CurrentTransport() { return Link().Usb(); }

void SetCurrentTransport(HtUsb* transport) { Link().SetTransport(transport); }

MonitorPause::MonitorPause(LinkSession& session) : session(session)
{
    // Nothing yields inside a tick, so the flag is clear in practice; the bound keeps a
    // flag left set by mistake from hanging the program.
    Clock& clock = CurrentClock();
    const double start = clock.Now();
    while (session.PollBusy && clock.Now() - start < 2.5 * OneSecond) {
    }
    if (session.pauses++ == 0 && session.monitor)
        session.monitor->stop();
}

MonitorPause::~MonitorPause()
{
    if (--session.pauses == 0 && session.monitor)
        session.monitor->start();
}

#include "link/LinkSession.h"

#include <utility>

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

std::optional<LinkSequence> LinkSession::TryBegin(Use use, Frames frames)
{
    if (busy)
        return std::nullopt;
    busy = true;
    if (use == Use::Long && monitor)
        monitor->stop();
    emit BusyChanged(true);
    return LinkSequence(*this, use, frames == Frames::Service ? service : main);
}

void LinkSession::End(Use use)
{
    busy = false;
    if (use == Use::Long && monitor)
        monitor->start();
    emit BusyChanged(false);
}

void LinkSession::Reset()
{
    main = FrameSet{{0x02, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00}};
    service = FrameSet{{0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03}};
    commandSeq = 0;
    busy = false;
}

LinkSession& Link()
{
    static LinkSession session;
    return session;
}

void SetCurrentTransport(HtUsb* transport) { Link().SetTransport(transport); }

LinkSequence::LinkSequence(LinkSession& session, LinkSession::Use use, LinkSession::FrameSet& frames)
    : session(&session), use(use), frames(&frames)
{
}

LinkSequence::LinkSequence(LinkSequence&& other) noexcept
    : session(other.session), use(other.use), frames(other.frames)
{
    other.session = nullptr;
}

LinkSequence& LinkSequence::operator=(LinkSequence&& other) noexcept
{
    if (this != &other) {
        if (session)
            session->End(use);
        session = std::exchange(other.session, nullptr);
        use = other.use;
        frames = other.frames;
    }
    return *this;
}

LinkSequence::~LinkSequence()
{
    if (session)
        session->End(use);
}

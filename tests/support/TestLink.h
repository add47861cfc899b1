#pragma once
#include "link/LinkSession.h"

#include <optional>

// The link session on a given transport, held for the scope of a test as a meter routine needs
// it: the transport installed and the link taken, both given back at the end.
class TestLink {
public:
    explicit TestLink(HtUsb& usb, LinkSession::Frames frames = LinkSession::Frames::Main)
    {
        SetCurrentTransport(&usb);
        sequence = Link().TryBegin(LinkSession::Use::Exchange, frames);
    }
    ~TestLink()
    {
        sequence.reset();
        SetCurrentTransport(nullptr);
    }
    TestLink(const TestLink&) = delete;
    TestLink& operator=(const TestLink&) = delete;

    LinkSequence& operator*() { return *sequence; }
    LinkSequence* operator->() { return &*sequence; }

private:
    std::optional<LinkSequence> sequence;
};

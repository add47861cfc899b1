#pragma once
#include "link/HtUsb.h"
#include "link/MeterFrames.h"

#include <QPointer>
#include <QTimer>

#include <cstdint>

// The meter has one link and many users of it: the connection monitor, the panel keys, the
// download, the erase, the service dialog and the LEQ measurement. The session owns the
// current transport, the command and reply frames those sequences share (a download sends
// whatever data bytes the command frame last held) and the poll sequence counter.
//
// A sequence that needs the link for longer than one exchange holds it (LinkHold); while it
// is held the monitor skips its tick and the panel keys do nothing, so no reply is read by
// the wrong sequence even though window messages are processed between blocks.
class LinkSession {
public:
    LinkSession();

    static constexpr std::uint16_t VendorId = 0x04D9;
    static constexpr std::uint16_t ProductId = 0xE000;

    HtUsb& Usb() const { return *usb; }
    // nullptr puts back a transport with no meter attached.
    void SetTransport(HtUsb* transport);

    CommandFrame Command{0x02, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00};
    ReplyFrame Reply{};
    std::uint8_t CommandSeq = 0;

    // A monitor tick is running.
    bool PollBusy = false;
    // A long sequence holds the link.
    bool Busy() const { return holds > 0; }

    // The connection monitor's timer, which long sequences pause.
    void SetMonitorTimer(QTimer* timer) { monitor = timer; }
    QTimer* MonitorTimer() const { return monitor; }

    // Back to the state of a freshly started program: frames, counter and flags; the
    // transport and the monitor timer stay.
    void Reset();

private:
    friend class LinkHold;
    friend class MonitorPause;

    HtUsb* usb;
    QPointer<QTimer> monitor;
    int holds = 0;
    int pauses = 0;
};

// The process's one link session.
LinkSession& Link();

// Marks the link busy for as long as it lives.
class LinkHold {
public:
    explicit LinkHold(LinkSession& session) : session(session) { ++session.holds; }
    ~LinkHold() { --session.holds; }
    LinkHold(const LinkHold&) = delete;
    LinkHold& operator=(const LinkHold&) = delete;

private:
    LinkSession& session;
};

// Lets a running monitor tick finish (at most 2.5 s on the clock seam) and stops the monitor
// timer; the timer runs again when the last pause ends, whichever way the sequence leaves.
class MonitorPause {
public:
    explicit MonitorPause(LinkSession& session);
    ~MonitorPause();
    MonitorPause(const MonitorPause&) = delete;
    MonitorPause& operator=(const MonitorPause&) = delete;

private:
    LinkSession& session;
};

#pragma once
#include "link/HtUsb.h"
#include "link/MeterFrames.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <optional>

class LinkSequence;

// The meter has one link and many users of it: the connection monitor, the panel keys, the
// real-time run, the download, the erase, the service window and the LEQ measurement. The
// session owns the current transport, the command and reply frames those sequences share (a
// download sends whatever data bytes the command frame last held) and the poll sequence
// counter, and runs one sequence at a time.
//
// The only way onto the link is TryBegin: it gives nothing while another sequence holds the
// link, and otherwise a LinkSequence that holds it, and carries the transport and the frames,
// until it goes out of scope, whichever way. So no reply is ever read by the wrong sequence,
// even though a download lets window messages run between its blocks, and no caller can skip
// the check. Nothing waits: on one thread, a sequence that is not running holds nothing.
class LinkSession : public QObject {
    Q_OBJECT
public:
    LinkSession();

    static constexpr std::uint16_t VendorId = 0x04D9;
    static constexpr std::uint16_t ProductId = 0xE000;

    // nullptr puts back a transport with no meter attached.
    void SetTransport(HtUsb* transport);

    // A long sequence (download, erase, the service window's clock, interval and information,
    // a LEQ measurement) stops the monitor's timer until it ends; a short exchange between two
    // ticks (a tick itself, a panel key, an EEPROM byte) leaves it running.
    enum class Use { Long, Exchange };
    // The service window's commands keep frames of their own: the data bytes a command does not
    // set carry over from that window's previous command, not from the monitor's.
    enum class Frames { Main, Service };

    // The link for one sequence, or nothing while another sequence holds it.
    [[nodiscard]] std::optional<LinkSequence> TryBegin(Use use = Use::Long, Frames frames = Frames::Main);
    bool Busy() const { return busy; }

    // The connection monitor's timer, which long sequences stop.
    void SetMonitorTimer(QTimer* timer) { monitor = timer; }

    // What the main frames last held, for whoever shows or checks them.
    const CommandFrame& LastCommand() const { return main.command; }
    const ReplyFrame& LastReply() const { return main.reply; }
    std::uint8_t CommandSeq() const { return commandSeq; }

    // Back to the state of a freshly started program: frames, counter and link free; the
    // transport and the monitor timer stay.
    void Reset();

signals:
    // The link was taken or given back: the commands that need it follow.
    void BusyChanged(bool busy);

private:
    friend class LinkSequence;
    struct FrameSet {
        CommandFrame command;
        ReplyFrame reply{};
    };
    void End(Use use);

    HtUsb* usb;
    FrameSet main{{0x02, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00}};
    FrameSet service{{0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03}};
    std::uint8_t commandSeq = 0;
    bool busy = false;
    QPointer<QTimer> monitor;
};

// The process's one link session.
LinkSession& Link();

// One sequence's hold on the link, with the transport and the frames it works with. Every meter
// routine takes one, so none can run without holding the link.
class LinkSequence {
public:
    LinkSequence(LinkSequence&& other) noexcept;
    LinkSequence& operator=(LinkSequence&& other) noexcept;
    LinkSequence(const LinkSequence&) = delete;
    LinkSequence& operator=(const LinkSequence&) = delete;
    ~LinkSequence();

    HtUsb& Usb() const { return *session->usb; }
    CommandFrame& Command() const { return frames->command; }
    ReplyFrame& Reply() const { return frames->reply; }
    // The sequence number of the next status poll (wraps from 255 to 0).
    std::uint8_t NextCommandSeq() const { return ++session->commandSeq; }

private:
    friend class LinkSession;
    LinkSequence(LinkSession& session, LinkSession::Use use, LinkSession::FrameSet& frames);

    LinkSession* session;  // none once moved from
    LinkSession::Use use;
    LinkSession::FrameSet* frames;
};

#include "link/MeterMonitor.h"

#include "link/CommandTable.h"
#include "link/LinkSession.h"
#include "link/MeterLink.h"

MeterMonitor::MeterMonitor(LinkSession& link, QObject* parent) : QObject(parent), link(link)
{
    timer.setObjectName(QStringLiteral("MainTimer"));
    timer.setInterval(500);
    timer.setParent(this);
    connect(&timer, &QTimer::timeout, this, &MeterMonitor::Tick);
    link.SetMonitorTimer(&timer);
}

void MeterMonitor::Tick()
{
    // A long sequence holds the link; its replies are not the monitor's to read.
    std::optional<LinkSequence> sequence = link.TryBegin(LinkSession::Use::Exchange);
    if (!sequence)
        return;
    if (!connected) {
        if (ExchangeCommand(*sequence, Cmd::Identify) && IsOurModel(sequence->Reply())) {
            connected = true;
            presence.Reset();
            sequence.reset();
            emit ConnectedChanged(true);
        }
    } else {
        const bool read = PollStatus(*sequence);
        const MeterPresence::Poll poll = MeterPresence::Classify(read, sequence->Reply());
        if (presence.LosesMeter(poll)) {
            connected = false;
            sequence.reset();
            emit ConnectedChanged(false);
        } else if (poll == MeterPresence::Poll::Answered) {
            status = DecodeMeterStatus(sequence->Reply());
            const int level = DisplayedLevel(status);
            liveLevel = static_cast<float>(level) * 0.1f;
            sequence.reset();
            emit StatusRead(status, level);
        }
    }
    sequence.reset();
    emit Ticked();
}

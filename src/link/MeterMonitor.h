#pragma once
#include "link/MeterPresence.h"
#include "link/MeterStatus.h"

#include <QObject>
#include <QTimer>

class LinkSession;

// The connection monitor: every 500 ms it asks the meter to identify itself until it answers
// as ours, then polls its status, and loses it again by the rule of MeterPresence. It tells the
// panel, the real-time run and the command states what it learns; a tick finds the link held
// by a longer sequence and does nothing then (long sequences stop its timer, MainTimer).
class MeterMonitor : public QObject {
    Q_OBJECT
public:
    explicit MeterMonitor(LinkSession& link, QObject* parent = nullptr);

    QTimer* Timer() { return &timer; }
    // One tick of the timer.
    void Tick();

    bool Connected() const { return connected; }
    // The last status said the data logger is recording (REC).
    bool Recording() const { return status.recording; }
    // The level the meter displays (or its MAX or MIN while it shows that), in dB.
    float LiveLevel() const { return liveLevel; }
    const MeterStatus& Status() const { return status; }
    int FailedPolls() const { return presence.FailedPolls(); }

signals:
    // The meter named itself as ours / was lost.
    void ConnectedChanged(bool connected);
    // A status reply was read: its decoding and the displayed level in tenths of a dB.
    void StatusRead(const MeterStatus& status, int levelTenths);
    // A tick ran (the commands that depend on the meter follow).
    void Ticked();

private:
    LinkSession& link;
    QTimer timer;
    MeterPresence presence;
    MeterStatus status{};
    bool connected = false;
    float liveLevel = 0.0f;
};

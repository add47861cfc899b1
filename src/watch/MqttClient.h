#pragma once
#include "watch/MqttTarget.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The broker connection qx574 watch publishes through: libmosquitto's in the program, a
// scripted one in tests. One thread drives it: nothing happens outside Run.
class MqttClient {
public:
    struct Event {
        enum Kind { Connected, Disconnected, Acknowledged } kind;
        int mid = 0;     // Acknowledged: the message id Publish gave
        QString reason;  // Disconnected: why, for the console
    };
    // The message the broker publishes for the client when its connection ends uncleanly.
    struct Will {
        QByteArray topic;
        QByteArray payload;
    };

    virtual ~MqttClient() = default;
    // Begins connecting, ending any earlier connection; false, with the reason in *error, when
    // it cannot even begin. Connected or Disconnected follows from Run.
    virtual bool Connect(const MqttTarget& target, const QByteArray& clientId, const Will& will, QString* error) = 0;
    // Publishes at QoS 1 on the connection; the message id its acknowledgement will carry, or
    // none when it cannot be sent.
    virtual std::optional<int> Publish(const QByteArray& topic, const QByteArray& payload, bool retain) = 0;
    // Runs the connection for at most ms milliseconds, appending what happened to events;
    // false, at once, when there is no connection to wait on (the caller lets the time pass).
    virtual bool Run(std::uint32_t ms, std::vector<Event>& events) = 0;
    // Ends the connection cleanly, so that the broker does not publish the will.
    virtual void Disconnect() = 0;
};

#pragma once
#include "shell/Clock.h"
#include "watch/MqttClient.h"

#include <deque>
#include <optional>
#include <vector>

// A broker on a wire that the test controls: it is up or away, acknowledges every message at
// once or when told, and keeps what was published. It has no socket, so the feed lets time
// pass through the test's wait.
class FakeMqttClient final : public MqttClient {
public:
    struct Message {
        QByteArray topic;
        QByteArray payload;
        bool retain;
        int mid;
    };

    bool brokerUp = true;
    bool autoAcknowledge = true;
    std::vector<std::uint32_t> connectTicks;  // the clock seam's tick count at each attempt
    bool keepMessages = true;  // false for runs too long to keep every message
    std::vector<Message> published;
    int connects = 0;
    int published_count = 0;
    std::optional<Will> will;
    QByteArray clientId;

    bool Connect(const MqttTarget&, const QByteArray& id, const Will& w, QString* error) override
    {
        ++connects;
        connectTicks.push_back(CurrentClock().TickCountMs());
        connected = false;
        unacknowledged.clear();
        events.clear();  // nothing of an earlier connection reaches this one
        clientId = id;
        will = w;
        if (!brokerUp) {
            *error = QStringLiteral("Connection refused");
            return false;
        }
        connected = true;
        events.push_back({Event::Connected, 0, {}});
        return true;
    }
    std::optional<int> Publish(const QByteArray& topic, const QByteArray& payload, bool retain) override
    {
        if (!connected)
            return std::nullopt;
        const int mid = nextMid++;
        ++published_count;
        if (keepMessages)
            published.push_back({topic, payload, retain, mid});
        if (autoAcknowledge)
            events.push_back({Event::Acknowledged, mid, {}});
        else
            unacknowledged.push_back(mid);
        return mid;
    }
    bool Run(std::uint32_t, std::vector<Event>& out) override
    {
        out.insert(out.end(), events.begin(), events.end());
        events.clear();
        return false;
    }
    void Disconnect() override { connected = false; }

    // The broker goes away: what it has not acknowledged is lost with the connection.
    void Drop()
    {
        connected = false;
        brokerUp = false;
        unacknowledged.clear();
        events.push_back({Event::Disconnected, 0, QStringLiteral("The connection was lost.")});
    }
    void AcknowledgeAll()
    {
        for (const int mid : unacknowledged)
            events.push_back({Event::Acknowledged, mid, {}});
        unacknowledged.clear();
    }
    bool Connected() const { return connected; }

private:
    bool connected = false;
    int nextMid = 1;
    std::deque<int> unacknowledged;
    std::vector<Event> events;
};

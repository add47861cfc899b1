#pragma once
#include "watch/MqttClient.h"
#include "watch/MqttTarget.h"
#include "watch/RunClock.h"
#include "watch/WatchMessages.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <optional>

struct WatchRecord;
class WatchSpool;
class WatchWait;

struct MqttFeedOptions {
    MqttTarget target;
    QString serial;
    QString model;
    bool haDiscovery = false;
    bool leq = false;  // Leq records are written, so Home Assistant gets their sensor too
};

// qx574 watch's records to an MQTT broker, losing none while the broker is away: every record
// goes into the spool first, is sent from there in order (at most a window of them awaiting the
// broker's acknowledgement) and is done only when acknowledged. A lost connection sends the
// unacknowledged ones again, so a consumer sees at worst a repeat, which the record's seq tells.
// The connection is tried again 1 s after it is lost, then after twice as long each time, up
// to 60 s. A retained PREFIX/SERIAL/status says online, and offline when the run ends or,
// as the broker's last will, when the program dies.
class MqttFeed {
public:
    static constexpr int Window = 20;
    static constexpr std::int64_t FirstRetryMs = 1000;
    static constexpr std::int64_t LongestRetryMs = 60000;
    static constexpr std::int64_t ConnectTimeoutMs = 30000;

    MqttFeed(const MqttFeedOptions& options, WatchSpool& spool, MqttClient& client, WatchMessages tell);

    // Spools a record as its MQTT message under the topic of its kind (reading, leq, event) and
    // sends it when it can. Returns how many of the oldest records the full spool dropped for
    // it (0 as a rule); none, with the message in *error, when the spool cannot be written.
    std::optional<qint64> Publish(const WatchRecord& record, QString* error);
    // The meter's weighting, which the Home Assistant sensors' unit follows.
    void SetWeighting(bool aWeighting);

    // Runs the connection for at most ms milliseconds: connects when it is time, sends what
    // the spool holds and takes acknowledgements. Lets the time pass through wait when there
    // is no connection to wait on.
    void Service(std::uint32_t ms, WatchWait& wait);
    // The end of the run: a few seconds for the records on their way to be acknowledged, then
    // offline and a clean disconnect; what is left stays in the spool for the next run.
    void Close(WatchWait& wait);

    bool Online() const { return state == State::Online; }

private:
    enum class State { Waiting, Connecting, Online };
    struct InFlight {
        int mid;
        std::uint64_t seq;
        bool acknowledged;
    };

    void Attempt();
    void Handle(const MqttClient::Event& event);
    void Lose(const QString& reason);
    void SendFromSpool();
    void PublishDiscovery();
    void Acknowledge(int mid);

    MqttFeedOptions options;
    WatchSpool& spool;
    MqttClient& client;
    WatchMessages tell;
    RunClock clock;

    State state = State::Waiting;
    std::int64_t nextAttempt = 0;
    std::int64_t attemptStarted = 0;
    std::int64_t retryMs = FirstRetryMs;
    bool lostTold = false;
    std::deque<InFlight> inFlight;
    std::optional<bool> weighting;
    std::optional<bool> discoveredWeighting;
    std::optional<int> offlineMid;
};

#include "watch/MqttFeed.h"

#include "watch/HomeAssistantDiscovery.h"
#include "watch/RecordEncoders.h"
#include "watch/WatchRecord.h"
#include "watch/WatchSpool.h"
#include "watch/WatchWait.h"

#include <QDir>

#include <algorithm>
#include <utility>

namespace {

const QByteArray OnlineStatus = QByteArrayLiteral("online");
const QByteArray OfflineStatus = QByteArrayLiteral("offline");
constexpr std::int64_t CloseWaitMs = 3000;
constexpr std::uint32_t Slice = 100;

QByteArray ClientId(const QString& serial)
{
    QByteArray id = "qx574-" + serial.toUtf8();
    for (char& c : id)
        if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '_';
    return id;
}

const char* TopicKind(WatchRecord::Kind kind)
{
    switch (kind) {
    case WatchRecord::Kind::Reading:
        return ReadingRecordName;
    case WatchRecord::Kind::Leq:
        return "leq";
    case WatchRecord::Kind::Event:
        break;
    }
    return "event";
}

}  // namespace

MqttFeed::MqttFeed(const MqttFeedOptions& options, WatchSpool& spool, MqttClient& client, WatchMessages tell)
    : options(options), spool(spool), client(client), tell(std::move(tell)), clock(CurrentClock())
{
}

std::optional<qint64> MqttFeed::Publish(const WatchRecord& record, QString* error)
{
    const std::optional<qint64> dropped =
        spool.Append(record.seq, TopicKind(record.kind), MqttRecordPayload(record), error);
    // Dropped records need no acknowledgement any more.
    while (!inFlight.empty() && inFlight.front().seq <= spool.DoneThrough())
        inFlight.pop_front();
    if (state == State::Online)
        SendFromSpool();
    return dropped;
}

void MqttFeed::SetWeighting(bool aWeighting)
{
    weighting = aWeighting;
    if (state == State::Online)
        PublishDiscovery();
}

void MqttFeed::Service(std::uint32_t ms, WatchWait& wait)
{
    const std::int64_t now = clock.Elapsed();
    if (state == State::Waiting && now >= nextAttempt)
        Attempt();
    else if (state == State::Connecting && now - attemptStarted >= ConnectTimeoutMs)
        Lose(QStringLiteral("no answer in %1 s").arg(ConnectTimeoutMs / 1000));
    if (state == State::Waiting)
        ms = static_cast<std::uint32_t>(std::clamp<std::int64_t>(nextAttempt - clock.Elapsed(), 1, ms));
    std::vector<MqttClient::Event> events;
    if (!client.Run(ms, events))
        wait.Sleep(ms);
    for (const MqttClient::Event& event : events)
        Handle(event);
    if (state == State::Online)
        SendFromSpool();
}

void MqttFeed::Attempt()
{
    QString error;
    const QByteArray status = MeterTopic(options.target, options.serial, "status");
    if (!client.Connect(options.target, ClientId(options.serial), {status, OfflineStatus}, &error)) {
        Lose(error);
        return;
    }
    state = State::Connecting;
    attemptStarted = clock.Elapsed();
}

void MqttFeed::Handle(const MqttClient::Event& event)
{
    switch (event.kind) {
    case MqttClient::Event::Connected:
        state = State::Online;
        retryMs = FirstRetryMs;
        tell(QStringLiteral("Publishing to %1 (%2 records waiting in the spool).")
                 .arg(options.target.Shown())
                 .arg(spool.Pending()));
        lostTold = false;
        client.Publish(MeterTopic(options.target, options.serial, "status"), OnlineStatus, true);
        discoveredWeighting.reset();
        PublishDiscovery();
        break;
    case MqttClient::Event::Disconnected:
        // A loss already noted (a message that could not be sent) is not counted twice.
        if (state != State::Waiting)
            Lose(event.reason);
        break;
    case MqttClient::Event::Acknowledged:
        Acknowledge(event.mid);
        break;
    }
}

void MqttFeed::Lose(const QString& reason)
{
    if (!lostTold)
        tell(QStringLiteral("The broker %1 is away (%2); records wait in the spool %3, and the broker is "
                            "tried again from 1 s to every 60 s.")
                 .arg(options.target.Shown(), reason, QDir::toNativeSeparators(spool.Path())));
    lostTold = true;
    // Whatever the old connection still holds goes with it; the spool sends it again.
    client.Disconnect();
    state = State::Waiting;
    inFlight.clear();
    spool.Rewind();
    nextAttempt = clock.Elapsed() + retryMs;
    retryMs = std::min(retryMs * 2, LongestRetryMs);
}

void MqttFeed::SendFromSpool()
{
    while (state == State::Online && inFlight.size() < static_cast<std::size_t>(Window)) {
        std::optional<WatchSpool::Entry> entry = spool.Next();
        if (!entry)
            return;
        const std::optional<int> mid =
            client.Publish(MeterTopic(options.target, options.serial, entry->topic.constData()), entry->payload, false);
        if (!mid) {
            Lose(QStringLiteral("a message could not be sent"));
            return;
        }
        inFlight.push_back({*mid, entry->seq, false});
    }
}

void MqttFeed::Acknowledge(int mid)
{
    if (offlineMid && *offlineMid == mid)
        offlineMid.reset();
    const auto found = std::find_if(inFlight.begin(), inFlight.end(), [&](const InFlight& f) { return f.mid == mid; });
    if (found == inFlight.end())
        return;  // the status, a discovery message, or a record dropped meanwhile
    found->acknowledged = true;
    std::optional<std::uint64_t> done;
    while (!inFlight.empty() && inFlight.front().acknowledged) {
        done = inFlight.front().seq;
        inFlight.pop_front();
    }
    if (done)
        spool.Done(*done);
}

void MqttFeed::PublishDiscovery()
{
    if (!options.haDiscovery || !weighting || discoveredWeighting == weighting)
        return;
    for (const DiscoveryMessage& message :
         HomeAssistantDiscovery(options.target, options.serial, options.model, *weighting, options.leq))
        client.Publish(message.topic, message.payload, true);
    discoveredWeighting = weighting;
}

void MqttFeed::Close(WatchWait& wait)
{
    if (state == State::Online) {
        const std::int64_t until = clock.Elapsed() + CloseWaitMs;
        std::vector<MqttClient::Event> events;
        while (state == State::Online && !inFlight.empty() && clock.Elapsed() < until) {
            events.clear();
            if (!client.Run(Slice, events))
                wait.Sleep(Slice);
            for (const MqttClient::Event& event : events)
                Handle(event);
        }
        if (state == State::Online)
            offlineMid = client.Publish(MeterTopic(options.target, options.serial, "status"), OfflineStatus, true);
        while (state == State::Online && offlineMid && clock.Elapsed() < until) {
            events.clear();
            if (!client.Run(Slice, events))
                wait.Sleep(Slice);
            for (const MqttClient::Event& event : events)
                Handle(event);
        }
    }
    client.Disconnect();
    state = State::Waiting;
    inFlight.clear();
    spool.Close();
}

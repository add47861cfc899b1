#pragma once
#include "watch/MqttClient.h"

struct mosquitto;

// MqttClient over libmosquitto, driven by mosquitto_loop from the program's one thread. Each
// connection is a new client object, so that nothing libmosquitto queued for an earlier one
// is sent again behind the spool's back: the spool alone decides what is sent.
class MosquittoClient final : public MqttClient {
public:
    MosquittoClient();
    ~MosquittoClient() override;
    MosquittoClient(const MosquittoClient&) = delete;
    MosquittoClient& operator=(const MosquittoClient&) = delete;

    bool Connect(const MqttTarget& target, const QByteArray& clientId, const Will& will, QString* error) override;
    std::optional<int> Publish(const QByteArray& topic, const QByteArray& payload, bool retain) override;
    bool Run(std::uint32_t ms, std::vector<Event>& events) override;
    void Disconnect() override;

    // What mosquitto_connect and friends answered, as text.
    static QString ErrorText(int code);

private:
    static void OnConnect(mosquitto*, void* self, int code);
    static void OnDisconnect(mosquitto*, void* self, int code);
    static void OnPublish(mosquitto*, void* self, int mid);
    void Lost(const QString& reason);
    void Destroy();

    mosquitto* client = nullptr;
    bool connected = false;
    bool lostTold = false;
    std::vector<Event> happened;
};
